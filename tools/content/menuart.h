#pragma once
// The shell's artwork: the title picture behind the main menu, the skin the
// game cuts its buttons from, and the panel its questions are asked on.
#include <string>

#include "tools/content/canvas.h"
#include "tools/content/gen.h"

constexpr int kMainMenuW = 640, kMainMenuH = 480;
constexpr int kSkinW = 512, kSkinH = 48;
constexpr int kFaceH = 24;  // the normal face above, the pressed face below
constexpr int kTextBoxW = 400, kTextBoxH = 104;
constexpr int kTextBoxX = 120, kTextBoxY = 164;  // where the game puts it on the screen

struct ButtonSpot {
    int x, y, w;
};

// Where the game draws the main menu's buttons over the title picture.
constexpr ButtonSpot kMenuButtons[] = {{250, 240, 140}, {250, 272, 140}, {250, 304, 140}, {280, 342, 80}};

bool draw_mainmenu(Canvas& out, std::string& why);
Canvas draw_button_skin();
Canvas draw_textbox();

// A button w pixels wide as the game cuts it from the skin: two edge columns
// from each end of the skin, the middle from skin_offset + 2 onward.
Canvas cut_button(const Canvas& skin, int w, int skin_offset, bool pressed);

bool gen_menuart(const GenContext& ctx, std::string& why);
