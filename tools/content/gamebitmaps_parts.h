#pragma once
// The drawing steps behind gamebitmaps.h, one family of pictures each.
#include <string>
#include <vector>

#include "tools/content/gamebitmaps.h"
#include "tools/content/menuart_img.h"

// A picture whose colours would all truncate to 0 on the 5-5-5 screen would
// vanish as see-through; such pixels are lifted to the darkest drawn grey.
void keep_drawn(Canvas& c);

// A bronze ring seen sunk into the panel: lit on its far side, shaded near.
Col lit_ring(Col base, bool lit);
Canvas draw_menubar();
Canvas draw_compturn(std::string& why, bool& ok);
// The pressed look of the panel's area under button b, cut from the panel.
Canvas draw_pressed(const Canvas& panel, const PanelButton& b);
Canvas draw_window();

void add_cloud_pictures(std::vector<GamePic>& out);
void add_missile_pictures(std::vector<GamePic>& out);
bool add_digit_pictures(std::vector<GamePic>& out, std::string& why);
void add_marker_pictures(std::vector<GamePic>& out);
void add_icon_pictures(std::vector<GamePic>& out);
void add_heal_pictures(std::vector<GamePic>& out);

// The cloud pieces, as the map view assembles them.
struct CloudPieces {
    Canvas talk_tl, talk_tr, talk_bl, talk_br, talk_top, talk_bottom, talk_left, talk_right, talk_curve;
    Canvas thought_left, thought_right, thought_top, thought_bottom, thought_dots;
    Canvas filler;
};
CloudPieces cut_cloud_pieces();
// The whole clouds the pieces are cut from (talk: any width 32 + 20 n).
Canvas talk_cloud_body(int width);
Canvas thought_cloud_body();  // rows from the cloud's y - 1
// The map view's assembly, with the cloud's (x, y) at (ox, oy) on c.
void assemble_talk(Canvas& c, const CloudPieces& p, int ox, int oy, int width);
void assemble_thought(Canvas& c, const CloudPieces& p, int ox, int oy);

// The unit screen direction an arrow of facing 1..8 points in.
Pt arrow_screen_direction(int facing);
