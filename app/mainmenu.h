#pragma once
#include "platform/types.h"

// Paints the title picture and the five buttons.
void paintmainmenu();
// The idle loop's work while the menu shows: the buttons (their captions
// pulse under the mouse), then a frame.
void mainmenuidle();
void mainmenuinput(u32 message, u32 wparam, i32 lparam);
