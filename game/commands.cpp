#include "game/commands.h"

u8 clickedtomove = 0;
u8 clickedtoattack = 0;
