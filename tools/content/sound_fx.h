#pragma once
// The game's effects as raw mixes. Levels here are only relative within an
// effect; sounds.cpp fades, centres and sets the level of each.
#include "tools/content/sound_wave.h"

// Knocks and impacts (sound_hits.cpp).
Wave fx_click();      // UI tick: a small wooden knock with a dry metal edge
Wave fx_chest();      // a lid creaking open and thudding against its stop
Wave fx_sword_hit();  // blade on armour: noise crack, then ringing partials
Wave fx_footstep();   // a soft, dull thud, short enough to repeat every step
Wave fx_door_slam();  // a heavy door in a stone room

// Moving air (sound_air.cpp).
Wave fx_missile();  // a rising whoosh and shimmer ending in a zap
Wave fx_bow();      // the string's twang and the arrow's whoosh
Wave fx_swish();    // a blade swung through air
Wave fx_thunder();  // a lightning crack rolling into rumble

// Tuned sounds (sound_music.cpp).
Wave fx_pickup();   // three bright ascending notes with a glitter on top
Wave fx_fanfare();  // a brass call ending on a held major chord
Wave fx_chime();    // a soft struck bar, ringing out
