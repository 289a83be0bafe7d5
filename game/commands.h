#pragma once
#include "platform/types.h"

// Set by a click on a cell until the command it gives is carried out.
extern u8 clickedtomove;
extern u8 clickedtoattack;
