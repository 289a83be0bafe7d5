#include "view/ohmapdraw.h"

#include <cstring>

#include "video/display.h"
#include "video/vscreen.h"
#include "view/ohmapcanvas.h"

// A field's value shifted right and put back in place is the field shifted
// right with the bits below the field's own place cleared, which needs no
// take-apart per field and runs eight pixels at a time.
static void darkenspan(u16* q, const u16* p, i32 n, int s) {
    typedef u16 lanes __attribute__((vector_size(16)));
    const u16 rm = rmask, gm = gmask, bm = bmask;
    const u16 rkeep = (u16)(0xFFFFu << rshift), gkeep = (u16)(0xFFFFu << gshift), bkeep = (u16)(0xFFFFu << bshift);
    i32 x = 0;
    for (; x + 8 <= n; x += 8) {
        lanes v;
        std::memcpy(&v, p + x, sizeof v);
        v = ((v & rm) >> s & rkeep) | ((v & gm) >> s & gkeep) | ((v & bm) >> s & bkeep);
        std::memcpy(q + x, &v, sizeof v);
    }
    for (; x < n; x++) q[x] = (u16)(((p[x] & rm) >> s & rkeep) | ((p[x] & gm) >> s & gkeep) | ((p[x] & bm) >> s & bkeep));
}

// Window rows into to (the window itself when null), less each row's hole.
static void darkenrows(u16* to, int shift, const i16* holefrom, const i16* holeto) {
    for (i32 y = 0; y < OHMAPHEIGHT; y++) {
        const u16* p = vspixel(0, y);
        u16* q = to ? to + y * OHMAPWIDTH : vspixel(0, y);
        if (shift > 15) {
            std::memset(q, 0, OHMAPWIDTH * 2);
            continue;
        }
        i32 h0 = holefrom ? holefrom[y] : 0, h1 = holefrom ? holeto[y] : 0;
        if (h0 < 0 || h1 > OHMAPWIDTH || h0 >= h1) h0 = h1 = OHMAPWIDTH;
        darkenspan(q, p, h0, shift);
        darkenspan(q + h1, p + h1, OHMAPWIDTH - h1, shift);
    }
}

void darkenwindow(int shift) {
    beginvsdraw();
    darkenrows(nullptr, shift, nullptr, nullptr);
    endvsdraw();
}

void darkenwindowinto(u16* buffer, int shift, const i16* holefrom, const i16* holeto) {
    beginvsdraw();
    darkenrows(buffer, shift, holefrom, holeto);
    endvsdraw();
}

void savewindow(u16* buffer) {
    beginvsdraw();
    for (i32 y = 0; y < OHMAPHEIGHT; y++) std::memcpy(buffer + y * OHMAPWIDTH, vspixel(0, y), OHMAPWIDTH * 2);
    endvsdraw();
}

void restorewindow(const u16* buffer) {
    beginvsdraw();
    for (i32 y = 0; y < OHMAPHEIGHT; y++) std::memcpy(vspixel(0, y), buffer + y * OHMAPWIDTH, OHMAPWIDTH * 2);
    endvsdraw();
}

void drawminiature() {
    buildminiature();
    putminiature(nullptr);
}
