#pragma once
// The map editor's history. Every change of the map in memory (land, items,
// units, the start point, the item types the nudges change) becomes one
// step at the next quiet moment: the whole edited state is compared with
// the state after the last step, and what differs is kept, old and new.
// So no tool has to say what it changed, and a drag is one step.
#include "platform/types.h"

constexpr int UNDOSTEPS = 200;  // the oldest steps go beyond this

// Forgets every step; the state now is the one steps start from and the
// one saved (a load, a new map).
void undoreset();
// The state now is the one on disk (after a successful save).
void undosaved();
// Takes what changed since the last step as a new step (nothing when
// nothing changed). Redo steps are dropped by a new one.
void undocommit();
// The state now becomes the one steps start from, without a step: for
// changes made elsewhere (the item editor) that the history must not undo.
void undorebase();
bool canundo();
bool canredo();
// Back or forward one step; false when there is none.
bool undostep();
bool redostep();
int undocount();  // steps there are to undo
// The map in memory differs from the one last loaded or saved.
bool mapunsaved();
