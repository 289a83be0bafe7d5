#pragma once
// Skinned push buttons, shared by every screen that shows buttons.
#include "platform/types.h"

struct widgetrec {
    i32 x, y;      // top left; a button is 24 rows high
    i32 width;     // at least 4
    u8 pressed;
    char caption[32];
    u8 hover;
    i32 skinoffset; // where in the skin the middle part is cut from
};

constexpr int NUMWIDGETS = 5;
constexpr int SKINWIDTH = 512;
constexpr int SKINHEIGHT = 48;

extern widgetrec widget[NUMWIDGETS];
extern u16* buttonskin; // 512 x 48: normal face above, pressed face below
extern u32 stringbase;

void drawwidget(int i);
// x < mouse x < x + width and y < mouse y < y + 24, all strict.
bool insidewidget(int i, i32 mx, i32 my);
// Fills a widget from string `id` + stringbase.
void setupwidget(int i, u32 id, i32 x, i32 y, i32 width, i32 skinoffset);
