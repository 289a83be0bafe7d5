#pragma once
#include "platform/types.h"

// Lock and unlock the Virtual Screen; both do nothing when already so.
u32 lockvs();
u32 unlockvs();
// Drawing primitives lock and unlock around their work unless a caller holds
// the lock for a batch (vsheld).
void beginvsdraw();
void endvsdraw();
// Black over the visible window; over the whole surface.
void clearvs();
void clearvsall();

// The part of a w x h picture placed at visible (x, y) that lies on the
// Virtual Screen, guard bands included: columns col0..col1-1 and rows
// row0..row1-1 of the picture. False when none of it does.
struct vsspan {
    i32 col0, col1, row0, row1;
};
bool vsclip(i32 x, i32 y, i32 w, i32 h, vsspan* out);
