#pragma once
// The end of a mission by its outcome: the last enemy or the last of the
// party fallen, said in the log and by sound, then the end screen.
#include "platform/types.h"

// Once a frame, after the frame is shown. When a side has just lost its
// last unit: the log line and the sound at once; the end screen, until a
// key or a click, once the fallen have finished falling (or after a second
// or so); true then, and the mission is to end.
bool missionendcheck();
// Its first half: the frame's tally, a fall's sound, and the first time a
// side is gone the log line and the sound of the outcome. The outcome.
u8 missionoutcome();

// The screen of the outcome over the darkened view, with the mission's
// numbers; returns when the player has seen it.
void showendscreen(u8 outcome);
// Its picture alone, for the screen and for looking at it.
void drawendscreen(u8 outcome);
