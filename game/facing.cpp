#include "game/facing.h"

const i8 facingdx[10] = {0, 0, 1, 1, 1, 0, -1, -1, -1, 0};
const i8 facingdy[10] = {0, -1, -1, 0, 1, 1, 1, 0, -1, 0};

u8 facingto(i32 x0, i32 y0, i32 x1, i32 y1) {
    i32 ax = x0 > x1 ? x0 - x1 : x1 - x0, ay = y0 > y1 ? y0 - y1 : y1 - y0;
    if (2 * ax < ay) return y1 < y0 ? 1 : 5;
    bool steep = 2 * ay >= ax, north = y1 < y0;
    if (x1 >= x0) return north ? (steep ? 2 : 3) : (steep ? 4 : 3);
    return north ? (steep ? 8 : 7) : (steep ? 6 : 7);
}

u8 facingofstep(i32 dx, i32 dy) {
    static const u8 code[3][3] = {{8, 1, 2}, {7, 0, 3}, {6, 5, 4}};
    if (dx < -1 || dx > 1 || dy < -1 || dy > 1) return 0;
    return code[dy + 1][dx + 1];
}
