// While the overhead map is open only closing it means anything; the key
// that opened it closes it too.
#include "app/gamestate.h"
#include "game/keybindings.h"
#include "platform/winmsg.h"
#include "view/overheadmap.h"

void overheadinput(u32 message, u32 wparam, i32) {
    bool closekey = message == WM_KEYDOWN && (wparam == VK_RETURN || wparam == VK_ESCAPE || keyaction(wparam) == ACT_MAP);
    if (closekey || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) boxresult = 1;
}
