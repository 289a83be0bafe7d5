#pragma once
// The map editor: land, items and computer units laid on the one game map.
#include "platform/types.h"

// The tools; the panel lists 0..7 (maptool holds the current one).
enum : u8 {
    TOOL_LANDTILE = 0,
    TOOL_LANDSECTION = 1,
    TOOL_RANDOMLAND = 2,
    TOOL_DELETELAND = 3,
    TOOL_PLACEITEM = 4,
    TOOL_DELETEITEM = 5,
    TOOL_PLACEUNIT = 6,
    TOOL_DELETEUNIT = 7,
    TOOL_STARTPOINT = 8,
};

// Kept between visits to the editor.
extern i32 currentland;   // 0..1279
extern i32 currentitem;   // 0..4095
extern i32 placeunittype; // 0..11
extern u8 placeowner;     // the player 0..3 placed units belong to; O steps it
extern i32 dragx, dragy;  // the cell where a rectangle drag started

// Enters the editor on the game map; false (after "Unable to load map!")
// when the map could not be loaded.
bool startmapeditor();
// One frame: input, picking, border scroll, the view, preview and status
// line, present. False once the editor is to be left.
bool mapeditorframe();
// The view, the tool's preview and the status lines, presented.
void drawmapeditor();
// Asks "Save map?", saves on Yes (a failed save says why and keeps the
// editor open: false), then returns to the caller's state.
bool leavemapeditor();
// Saves the open map set (a new map asks for a name first); a failure is
// shown in an OK box with its reason.
bool saveeditedmap();
u32 runmapeditor();

// The status line of the current tool.
void editstatus(char* out, int size);
// The preview of the current tool at the cursor cell's screen square.
void drawtoolpreview();
