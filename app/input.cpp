#include "app/input.h"

i32 mousex = 0, mousey = 0;
u8 lbuttondown = 0, rbuttondown = 0;
u8 waitingforlmbup = 0;
u32 appactive = 0;
u8 displayok = 0;
u8 fullview = 0;
u32 lightflag = 1;
u32 framelimit = 1;
u32 framedelay = 2;
u32 showdebuginfo = 0;
