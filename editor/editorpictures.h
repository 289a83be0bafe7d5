#pragma once
// The pictures the editors draw at fixed sizes, checked once when the game
// starts: one missing or of another size ends the start with its name,
// never an edit in progress.
void checkeditorpictures();
