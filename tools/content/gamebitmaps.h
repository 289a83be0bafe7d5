#pragma once
// The mission screen's pictures: the command panel and its pressed buttons,
// the framed window, the cloud pieces units speak in, markers, missiles,
// damage digits, icons and the heal spell's glow, all under bitmaps/.
#include <string>
#include <vector>

#include "tools/content/canvas.h"
#include "tools/content/gen.h"

struct GamePic {
    std::string rel;  // path inside the data tree, '/' separated
    Canvas pic;
    bool sprite;      // drawn with black as the see-through colour
};

constexpr int kPanelW = 640, kPanelH = 80;  // shown at screen rows 400..479
constexpr int kPanelTop = 400;
constexpr int kWindowW = 600, kWindowH = 440, kWindowEdge = 6;

// A panel button: its clickable rectangle on the screen, and where its
// pressed picture goes (the picture's top-left and size).
struct PanelButton {
    const char* file;  // under bitmaps/buttons/
    int x, y, w, h;
};
constexpr PanelButton kPanelButtons[] = {
    {"prevnpc.bmp", 6, 420, 24, 40},
    {"nextnpc.bmp", 80, 420, 24, 40},
    {"endturn.bmp", 566, 434, 64, 40},
    {"clickmap.bmp", 566, 415, 64, 13},  // below the tab names, inside its rectangle
};

// Every picture of the set, in a fixed order; false with a reason when a
// face cannot be rendered.
bool draw_game_bitmaps(std::vector<GamePic>& out, std::string& why);
bool gen_gamebitmaps(const GenContext& ctx, std::string& why);
