#pragma once
// What happens when a unit is hurt: the number over its cell, its cry for
// help.
#include "platform/types.h"

// Takes damage from a unit and shows it over the cell hit.
void hurtnpc(int victim, i32 damage, i32 cell);
// A badly wounded unit may cry for help in a talk cloud, now and then.
void cryforhelp(int victim);
