#pragma once
// Mouse, keys, activity and the debug switches, as the window procedure
// leaves them.
#include "platform/types.h"

extern i32 mousex, mousey;
extern u8 lbuttondown, rbuttondown;
extern u8 waitingforlmbup;
extern u32 appactive;
extern u8 displayok;
extern u8 fullview;
extern u32 lightflag;
extern u32 framelimit;
extern u32 framedelay;
extern u32 showdebuginfo;
