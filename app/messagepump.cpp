#include "app/messagepump.h"

#include "app/exitgame.h"
#include "app/input.h"
#include "platform/platform.h"

pumped pumpmessage(int* status) {
    platmsg m;
    if (!plat_peekmessage(&m) && appactive) return pumped::idle;
    // Inactive: this waits for the next message.
    if (!plat_getmessage(&m)) {
        *status = quitstatus((int)m.wparam);
        return pumped::quit;
    }
    plat_translatemessage(&m);
    plat_dispatchmessage(&m);
    return pumped::message;
}

void endprocess(int status) {
    releaseobjects();
    plat_destroywindow();
    plat_exitprocess(status);
}
