#include "game/combatinput.h"

#include "game/clickorders.h"
#include "platform/winmsg.h"

void combatinput(u32 message, u32 wparam, i32) {
    switch (message) {
    case WM_LBUTTONDOWN: leftbuttonorder(); break;
    case WM_LBUTTONUP: leftbuttonup(); break;
    case WM_MOUSEMOVE: dragorder(); break;
    case WM_RBUTTONDOWN: arroworder(); break;
    case WM_KEYDOWN: keyorder(wparam); break;
    default: break;
    }
}
