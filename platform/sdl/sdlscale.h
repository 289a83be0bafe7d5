#pragma once
// Where the 640 x 480 picture lands in the window. It is first blown up by a
// whole factor, so every picture pixel becomes the same square block, and
// only that is smoothed into the largest centred 4:3 rectangle: the
// smoothing then softens block edges instead of making some pixels wider
// than others. Free of SDL so the arithmetic can be tested on its own.
#include "platform/types.h"

constexpr i32 sdlpicturew = 640;
constexpr i32 sdlpictureh = 480;

struct sdlfit {
    i32 outw = 1, outh = 1;          // drawable area in pixels
    i32 factor = 1;                  // whole-number blow-up, at least 1
    i32 intw = 0, inth = 0;          // picture size after the blow-up
    i32 x = 0, y = 0, w = 0, h = 0;  // the 4:3 rectangle it is shown in
};

struct sdlpoint {
    i32 x = 0, y = 0;
};

sdlfit sdlscale_fit(i32 outw, i32 outh);

// The picture pixel under a window point. Window and drawable sizes differ on
// high-density screens; points outside the picture land on its nearest edge.
sdlpoint sdlscale_topicture(const sdlfit& f, i32 winw, i32 winh, i32 wx, i32 wy);

// Window size multiple to open with: the largest that fits the usable
// desktop, never below 1.
i32 sdlscale_windowfactor(i32 usablew, i32 usableh);

// The window size multiple for --scale N: N when the window fits the usable
// desktop, otherwise the largest that does (never below 1).
i32 sdlscale_fitscale(i32 wanted, i32 usablew, i32 usableh);
