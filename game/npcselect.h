#pragma once
// Which of the player's units the commands go to.
#include "platform/types.h"

// Makes the slot curnpc: every spell slot disarmed, the cursor back to
// moving, the selection mark on it alone, the panel clean.
void selectnpc(int slot);
// The panel's arrows: the previous or next living unit of the player,
// wrapping around the 128 slots; curnpc stays when it is the only one.
void previousnpc();
void nextnpc();
