#include "editor/pageloop.h"

#include "app/cursor.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/messagepump.h"
#include "app/redrawscreen.h"
#include "video/presentframe.h"

u8 runeditorloop(void (*draw)()) {
    boxresult = 255;
    while (boxresult == 255) {
        int status = 0;
        pumped p = pumpmessage(&status);
        if (p == pumped::quit) exitgame(0, nullptr);
        if (p != pumped::idle) continue;
        draw();
        presentframe();
    }
    u8 result = boxresult;
    boxresult = 255;
    return result;
}

static void redrawpage() { redrawscreen(); }

u8 runeditorpage() {
    redrawscreen();
    presentframe();
    setcursormode(20);
    return runeditorloop(redrawpage);
}
