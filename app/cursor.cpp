#include "app/cursor.h"

#include "app/timer.h"

u8 cursormode = 20;
u32 cursorvisible = 1;
u32 cursorpicx = 0, cursorpicy = 0;
u8 cursortint = 0;
u16 cursorcolor = 0;

struct cursorshape {
    u8 modes[5]; // 0 ends the list
    u16 picx, picy;
    u8 tint;
    i32 color; // -1: unchanged
};

static const cursorshape shapes[] = {
    {{1}, 0, 32, 4, 0x1F00},
    {{2}, 160, 96, 0, -1},
    {{3}, 128, 32, 0, -1},
    {{4, 10}, 192, 32, 2, 0x7C00},
    {{5}, 32, 32, 2, 0x7C00},
    {{6}, 64, 0, 2, 1},
    {{7}, 64, 32, 2, 1},
    {{8}, 0, 96, 0, -1},
    {{9}, 64, 0, 0, -1},
    {{11}, 0, 64, 0, -1},
    {{12}, 32, 32, 1, 0x7C00},
    {{13}, 192, 32, 1, 0x7C00},
    {{14, 42, 43, 44, 45}, 32, 64, 2, 0x7C00},
    {{15, 46}, 64, 64, 2, 0x7C00},
    {{16}, 32, 0, 4, 0x7C00},
    {{17}, 96, 0, 2, 1},
    {{20}, 0, 0, 4, 1},
    {{32}, 96, 32, 6, 1},
    {{33, 37, 39, 41}, 0, 64, 4, 0x7C00},
    {{34}, 224, 32, 1, 1},
    {{35}, 0, 0, 0, -1},
    {{36, 38, 40}, 96, 32, 2, 1},
};

static const cursorshape* findshape(u8 mode) {
    for (const cursorshape& s : shapes)
        for (u8 m : s.modes)
            if (m == mode) return &s;
    return nullptr;
}

void setcursormode(u8 mode) {
    if (mode == cursormode) return;
    cursormode = mode;
    cursorvisible = 1;
    cursoranim = 0;
    animframe = 0;
    const cursorshape* s = mode ? findshape(mode) : nullptr;
    if (!s) {
        cursorvisible = 0;
        cursortint = 0;
        return;
    }
    cursorpicx = s->picx;
    cursorpicy = s->picy;
    cursortint = s->tint;
    if (s->color >= 0) cursorcolor = (u16)s->color;
    if (mode == 8) {
        cursoranim = 1;
        animnexttick = tickcount + 4;
    }
}
