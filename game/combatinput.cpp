#include "game/combatinput.h"

#include "game/clickorders.h"
#include "app/input.h"
#include "platform/winmsg.h"
#include "view/panel.h"

void combatinput(u32 message, u32 wparam, i32) {
    switch (message) {
    case WM_LBUTTONDOWN: leftbuttonorder(); break;
    case WM_LBUTTONUP: leftbuttonup(); break;
    case WM_MOUSEMOVE: dragorder(); break;
    // Over the panel the cell last picked is not under the pointer.
    case WM_RBUTTONDOWN:
        if (mousey < PANELTOP) arroworder();
        break;
    case WM_KEYDOWN: keyorder(wparam); break;
    default: break;
    }
}
