#pragma once
// The text box and the two modal boxes built on it.
#include "platform/types.h"

extern char boxtext[128];

// Shows text in the box and presents the frame; returns at once.
void showmessage(const char* text);
// Waits until the user acknowledges.
void okbox(const char* text);
// 1 for yes, 0 for no.
u8 confirmbox(const char* text);
void okboxinput(u32 message, u32 wparam, i32 lparam);
void confirminput(u32 message, u32 wparam, i32 lparam);
