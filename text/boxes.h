#pragma once
// The text box and the two modal boxes built on it.
#include "platform/types.h"

extern char boxtext[256];

// A box's text in the current font, centred on the window with its top at
// y; too wide for the box (380 pixels inside its border), on two lines round
// y instead: broken after a space or a slash, the second line cut at its
// front behind "..." if it is still too wide.
void drawboxmessage(const char* text, i32 y);
// Shows text in the box and presents the frame; returns at once.
void showmessage(const char* text);
// Waits until the user acknowledges.
void okbox(const char* text);
// 1 for yes, 0 for no.
u8 confirmbox(const char* text);
void okboxinput(u32 message, u32 wparam, i32 lparam);
void confirminput(u32 message, u32 wparam, i32 lparam);
