#pragma once
// The game's small pictures, loaded once at start-up.
void loadgamebitmaps();
