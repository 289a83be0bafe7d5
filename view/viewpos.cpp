#include "view/viewpos.h"

i32 scx = 0, scy = 0;
i32 selectedwx = 0, selectedwy = 0;

bool borderscroll(i32 mx, i32 my) {
    i32 x = scx, y = scy;
    bool left = mx <= 0, right = mx >= 639, top = my <= 0, bottom = my >= 479;
    if (left) {
        if (top) scx--;
        else if (bottom) scy++;
        else scx--, scy++;
    } else if (right) {
        if (top) scy--;
        else if (bottom) scx++;
        else scx++, scy--;
    } else if (top) {
        scx--, scy--;
    } else if (bottom) {
        scx++, scy++;
    }
    scy = scy < 20 ? 20 : scy > 203 ? 203 : scy;
    scx = scx < 20 ? 20 : scx > 230 ? 230 : scx;
    return scx != x || scy != y;
}
