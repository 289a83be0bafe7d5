#pragma once
// The Edit Item dialog: an item type's record shown, its flags and
// brightness edited (for every part of a large item).
#include "platform/types.h"

enum : int { EI_ISUSED, EI_ISLOADED, EI_OFFLIMITS, EI_SIGHT, EI_PASSAGE, EI_WALL, EI_TAKEABLE, EI_USABLE, EI_CHECKS };
constexpr i32 MAXBRIGHTNESS = 19;

// The dialog's controls, for its input and for tests.
extern int edititemchecks[EI_CHECKS];
extern int edititembrightness;

// 1 when Ok stored the fields, 0 on Cancel.
u32 edititemdialog(i32 n);
// The dialog's input: the toolkit's, and ticking Is Wall ticks Blocks Sight
// and Blocks Passage.
void edititeminput(u32 message, u32 wparam, i32 lparam);
