#pragma once
// What each of the twelve effect slots sounds like, by the event that plays
// it, so that callers name the event rather than a number.
#include "sound/dsound.h"

enum : int {
    SOUND_CLICK = 1,   // a button pressed: the main menu, the boxes, the end screen
    SOUND_CHEST = 2,   // a chest opened
    SOUND_HIT = 3,     // a melee blow lands
    SOUND_PICKUP = 4,  // a potion taken or drunk, the F, H and M keys
    SOUND_MAGIC = 5,   // a magic missile shot
    SOUND_BOW = 6,     // an arrow shot
    SOUND_STEP = 7,    // a step onto the next cell
    SOUND_FALL = 8,    // a unit falls dead (a heavy slam)
    SOUND_MISS = 9,    // a melee blow misses
    SOUND_THUNDER = 10, // the Lightning bolt
    SOUND_WINGAME = 11, // the mission is won
    SOUND_CHIME = 12,  // a spell cast; a game saved
};

// The one effect for a game written to disk, for whoever saves one.
inline void playsavedsound() { playsound(SOUND_CHIME); }
