#include "game/combatinput.h"

#include "app/gamestate.h"
#include "game/missionstate.h"
#include "platform/winmsg.h"
#include "resources/stringtable.h"
#include "text/widget.h"
#include "text/boxes.h"

static void askleave() {
    char text[256];
    loadstring(stringbase + 10, text, sizeof text);
    if (confirmbox(text)) boxresult = 1;
}

void combatinput(u32 message, u32 wparam, i32) {
    if (message != WM_KEYDOWN) return;
    if (wparam == VK_ESCAPE) askleave();
    else if (wparam == 'P') gamepaused = !gamepaused;
}
