#pragma once
// The one message pump. The idle loop, every screen loop and the exit drain
// are this pump with a different answer to "nothing waiting" and to the quit
// message.
#include "platform/types.h"

enum class pumped : u8 {
    message, // one message was dispatched
    idle,    // none is waiting and the application is in front
    quit,    // the quit message was taken (not dispatched)
};

// One pass: takes a waiting message and dispatches it. With none waiting it
// returns idle while the application is active, and otherwise waits for one.
// On the quit message *status gets the process status to end with.
pumped pumpmessage(int* status);

// The end of the process after the quit message: the window goes (its
// destruction releases what is left), then the process, with the status.
[[noreturn]] void endprocess(int status);
