#pragma once
// The "Edit Unit" dialog over one unit type record.
#include "platform/types.h"

// 1 on Ok (every field stored), 0 on Cancel (nothing stored).
int editunitdialog(int t);
// Builds the dialog's controls for type t without running it (tests drive it).
void buildeditunit(int t);
// Stores the fields into type t after checking them; false (a flash at
// the field) when one is refused.
bool storeeditunit();
