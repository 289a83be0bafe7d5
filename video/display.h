#pragma once
// The display objects and the Virtual Screen: a 768 x 900 16-bit picture in
// system memory whose window (60, 240)-(700, 720) is what the player sees.
// The guard bands round it let drawing code run without clipping.
#include "platform/ddraw.h"

constexpr int VSWIDTH = 768;
constexpr int VSHEIGHT = 900;
constexpr int VSPITCH = 768;          // pixels per row; the lock's pitch is never read
constexpr u32 VSBYTES = 768 * 900 * 2; // 1382400
constexpr int VSLEFT = 60;
constexpr int VSTOP = 240;
constexpr u32 VSORIGIN = 240 * 1536 + 60 * 2; // byte offset of visible (0, 0)

// The cursor picture: 32 x 32 cells, 8 across and 16 down. It is the
// program's resource "CURSORS", kept as this file of the data tree.
constexpr int CURSORWIDTH = 256;
constexpr int CURSORHEIGHT = 512;
constexpr const char* CURSORFILE = "resources\\CURSORS.bmp";

// Makes a picture the cursor picture when it decodes and has exactly the
// cells' size; nullptr then, else the reason and the cursor picture as it was.
// The display must be up.
const char* parsecursorpicture(const u8* data, size_t size);

extern bool lpDD;
extern ddsurface* primary;
extern ddsurface* backbuffer;
extern ddsurface* vssurface;
extern ddsurface* cursorsurface;

extern u8* vsptr;
extern u32 vslocked;
extern u8 vsheld;

extern u16 rmask, gmask, bmask;
extern u8 rbits, gbits, bbits;
extern u8 rshift, gshift, bshift;
extern u8 pixelformat; // 1: 5-5-5, 2: 5-6-5, 3: other

extern u32 framecount;
extern float fps;
extern char fpstext[64];

u32 initdirectdraw();
// Fills the pixel-format globals from the display's masks.
void setpixelformat(u32 red, u32 green, u32 blue);
// Before a box on the display: make it visible.
void fliptogdi();

// Visible pixel (x, y) while the Virtual Screen is locked.
inline u16* vspixel(i32 x, i32 y) { return (u16*)(vsptr + VSORIGIN) + (i64)y * VSPITCH + x; }
