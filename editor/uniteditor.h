#pragma once
// The unit editor: the twelve picture sets drawn side by side, turned and
// animated with the keypad, a picture nudged with the arrows, the unit
// types edited and picture sets compiled from the "Unit Pics" tree. On
// leaving it writes every set and type back with backups.
#include <string>

#include "platform/types.h"

// Entry 0..11 under the pointer: picture set i and unit type i.
extern int unitselected;
// Action 0..2 and frame 0..15 shown; the facing shown is placefacing.
extern int unitaction;
extern int uniteditframe;

struct unithitbox {
    i32 x, y, w, h;
};
extern unithitbox unitboxes[12];

u32 rununiteditor();
void uniteditinput(u32 message, u32 wparam, i32 lparam);
// The page (GS_UNITEDITOR in redrawscreen).
void drawuniteditor();
// The entry whose hit box holds the pointer becomes the selected one.
void followunitpointer();

// Saves on leaving; after a failed save, says why and asks whether to leave
// without saving (true: leave, false: back to the page).
bool leaveuniteditor();
// Writes all 36 unit files and their backups as one set; false with the
// reason and nothing on disk changed.
bool saveunitfiles(std::string* why);
