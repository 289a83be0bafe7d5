#pragma once
// The player's ways to saved games: F5 and F9 in a mission, Ctrl+S's list
// of saves, and the main menu's Load Game.

// The list of saves to save into (saving) or load from, over the mission;
// back in the mission afterwards, exactly as it was when nothing was
// chosen (Escape, Cancel).
void savelistscreen(bool saving);
// The mission into the quick save; "Game saved" or why not at the mouse.
void quicksave();
// The newest save into the mission; "Game loaded" or why not.
void quickload();

// From the main menu: the list of saves, and the mission chosen played on
// until it is left. Nothing when no save was loaded.
void menuloadgame();
// From the main menu: the newest save, played on the same way.
void menuquickload();
