#include "video/sprite.h"

#include <cstdio>
#include <cstring>

#include "app/exitgame.h"
#include "app/memory.h"
#include "video/display.h"
#include "video/picture.h"
#include "video/vscreen.h"

spriterec sprite[MAXSPRITES];

static size_t spritebytes(const spriterec& s) { return (size_t)s.width * (size_t)s.height * 2; }

void clearsprites() {
    for (spriterec& s : sprite) s.inuse = 0;
}

[[noreturn]] static void badslot(const char* fmt, int slot) {
    char text[64];
    std::snprintf(text, sizeof text, fmt, slot);
    exitgame(6, text);
}

static spriterec& checkedslot(int slot) {
    if (slot < 0 || slot >= MAXSPRITES) badslot("No sprite slot %d!", slot);
    return sprite[slot];
}

void initsprite(int slot, const char* file, picsize want) {
    spriterec& s = checkedslot(slot);
    if (s.inuse) badslot("Sprite %d in use!", slot);
    s.pixels = loadandunpackbmp(file, want);
    s.height = (i16)bmpheight;
    s.width = (i16)bmpwidth;
    s.drawn = 0;
    s.x = s.y = 0;
    s.alpha = 0;
    s.bgptr = (u16*)gamealloc(spritebytes(s), "initsprite (sprite[].bgptr)");
    s.inuse = 1;
}

void deletesprite(int slot) {
    spriterec& s = checkedslot(slot);
    if (!s.inuse) badslot("Unable to delete sprite %d ... not in use!", slot);
    gamefree(s.bgptr, spritebytes(s));
    gamefree(s.pixels, spritebytes(s));
    s.bgptr = s.pixels = nullptr;
    s.inuse = 0;
}

u16 blendpixel(u16 d, u16 s, u32 a) {
    u32 r = (((d & rmask) >> rshift) * (32 - a) + ((s & rmask) >> rshift) * a) / 32;
    u32 g = (((d & gmask) >> gshift) * (32 - a) + ((s & gmask) >> gshift) * a) / 32;
    u32 b = (((d & bmask) >> bshift) * (32 - a) + ((s & bmask) >> bshift) * a) / 32;
    return (u16)((r << rshift) | (g << gshift) | (b << bshift));
}

static void drawrow(u16* d, const u16* src, int width, u32 alpha) {
    for (int x = 0; x < width; x++) {
        u16 p = src[x];
        if (!p) continue;
        d[x] = alpha ? blendpixel(d[x], p, alpha) : p;
    }
}

// Sprites are not clipped to the visible window (the guard bands take the
// overhang), only to the surface, so a stray position cannot write past it.
void drawsprite(int slot) {
    spriterec& s = checkedslot(slot);
    vsspan c;
    beginvsdraw();
    if (vsclip(s.x, s.y, s.width, s.height, &c)) {
        for (int row = c.row0; row < c.row1; row++) {
            u16* d = vspixel(s.x + c.col0, s.y + row);
            size_t at = (size_t)row * s.width + c.col0;
            std::memcpy(s.bgptr + at, d, (size_t)(c.col1 - c.col0) * 2);
            drawrow(d, s.pixels + at, c.col1 - c.col0, s.alpha);
        }
    }
    s.drawn = 1;
    endvsdraw();
}

void erasesprite(int slot) {
    spriterec& s = checkedslot(slot);
    vsspan c;
    beginvsdraw();
    if (vsclip(s.x, s.y, s.width, s.height, &c)) {
        for (int row = c.row0; row < c.row1; row++)
            std::memcpy(vspixel(s.x + c.col0, s.y + row), s.bgptr + (size_t)row * s.width + c.col0,
                        (size_t)(c.col1 - c.col0) * 2);
    }
    s.drawn = 0;
    endvsdraw();
}

void drawpicture(const char* file, i32 x, i32 y, picsize want) {
    initsprite(PICTURESLOT, file, want);
    sprite[PICTURESLOT].x = (i16)x;
    sprite[PICTURESLOT].y = (i16)y;
    drawsprite(PICTURESLOT);
    deletesprite(PICTURESLOT);
}

void drawbitmap(const char* file, i32 x, i32 y, picsize want) {
    u16* buf = loadandunpackbmp(file, want);
    vsspan c;
    beginvsdraw();
    if (vsclip(x, y, (i32)bmpwidth, (i32)bmpheight, &c)) {
        for (i32 row = c.row0; row < c.row1; row++)
            std::memcpy(vspixel(x + c.col0, y + row), buf + (size_t)row * bmpwidth + c.col0,
                        (size_t)(c.col1 - c.col0) * 2);
    }
    endvsdraw();
    gamefree(buf, (size_t)bmpwidth * bmpheight * 2);
}
