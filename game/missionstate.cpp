#include "game/missionstate.h"

u32 gamepaused = 0;
u32 computerthinking = 0;
i32 curnpc = 1;
