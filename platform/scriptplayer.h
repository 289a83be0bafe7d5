#pragma once
// Feeds a --play script into the message queue as the clock reaches each
// event, takes its screenshots, and writes --record scripts.
#include <string>

#include "platform/types.h"

// A headless run without a script plays an empty one (and so quits at once).
bool scriptplayer_open(const std::string& playfile, const std::string& recordfile, bool headless, std::string* err);
// Takes the recording to its file. A recording that cannot be written is
// reported on standard error and the process ends with status 1.
void scriptplayer_close();
// The same without ending the process: false with the reason.
bool scriptplayer_endrecording(std::string* why);
bool scriptplayer_active();
// Queues every event that is due. Stops at a due screenshot until a frame
// has been presented after the events before it were taken.
void scriptplayer_deliver();
// After a frame was shown: takes a due screenshot of it.
void scriptplayer_framepresented(const u16* pixels, u32 format);
// Nothing can move the clock on (the game waits for a message): take a due
// screenshot of the last frame, or let the next event through whatever its tick.
void scriptplayer_stalled(const u16* lastframe, u32 format);
