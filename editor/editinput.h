#pragma once
// The map editor's input: the window procedure's handler for its state.
#include "platform/types.h"

void editmapinput(u32 message, u32 wparam, i32 lparam);
// A dragged rectangle taken to the cell the frame has just picked, so that
// the frame draws it reaching the pointer.
void followdrag();
// Ctrl with Z, Y and S: undo, redo and save, as in most editors. False for
// any other key.
bool editorcontrolkey(u32 key);
