#include "app/memory.h"
#include "video/display.h"
#include "video/picture.h"

u16* rgb333 = nullptr;

u16 colour333(u16 p) {
    u32 r = (p & rmask) >> (rshift + 2);
    u32 g = p & gmask;
    if (pixelformat == 2) g >>= 1;
    g >>= gshift + 2;
    u32 b = (p & bmask) >> (bshift + 2);
    return (u16)(r * 64 + g * 8 + b);
}

void buildrgb333() {
    if (!rgb333) rgb333 = (u16*)gamealloc(65536 * 2, "rgb333");
    for (u32 p = 0; p < 65536; p++) rgb333[p] = colour333((u16)p);
}
