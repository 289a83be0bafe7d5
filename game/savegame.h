#pragma once
// Saved games on disk: the player's "saves" folder, one file a save
// ("NAME.sav"), written whole through the safe-write path and read only
// after its size is known to be sane.
#include <string>
#include <vector>

#include "platform/types.h"

constexpr u32 SAVENAMEMAX = 24;
extern const char* const QUICKSAVENAME;

struct saveentry {
    std::string name; // without ".sav"
    i64 written;      // when, in nanoseconds; 0 when unknown
};

// Every save the folder holds, the newest first.
std::vector<saveentry> listsaves();
// The game path of a save ("saves\NAME.sav").
std::string savegamepath(const std::string& name);
// The name as shown, the file name, folder and all ("saves/NAME.sav").
std::string saveshownpath(const std::string& name);
// Letters, digits, spaces, '-' and '_', 1 to SAVENAMEMAX of them, not
// starting with a space.
bool savenameok(const std::string& name);

// Both leave what to tell the player in *said ("Game saved", or why not,
// naming the file); the log has it too. A load that fails keeps the game
// as it was.
bool savegameto(const std::string& name, std::string* said);
bool loadgamefrom(const std::string& name, std::string* said);

// The tick and its companions as they are now; putting them back after a
// screen of the saves makes the time it stood open not count in the game.
struct tickphase {
    u32 tick;
    u8 pulse, pulseup;
};
tickphase holdtickphase();
void puttickphase(const tickphase& t);
