#pragma once
// The map file set: the main file (land and item grids) and its two
// companions, the npc file and the header file.
#include <cstddef>
#include <string>

#include "platform/types.h"

constexpr u32 MAPGRIDBYTES = 131072;
constexpr u32 NPCFILEBYTES = 20124;

// The map "Run Demo" plays and the map editor opens first: map0 unless the
// command line names another.
extern std::string demomapname;
// A name a map may be saved as: 1..32 letters, digits, '-' and '_', so it is
// one file name on every system and cannot leave the maps folder.
bool validmapname(const std::string& name);
// "maps\NAME.dat", the main file of the map called name.
std::string mappath(const std::string& name);
// The name of a map's main file ("forest" for "maps\forest.dat").
std::string mapnameof(const std::string& path);
// Clears the map in memory to a blank one: no land, items or units, and
// player 0's start in the middle.
void blankmap();

// The companion of a main file name: its last three characters replaced.
std::string companionname(const char* name, const char* ending);
// One file of a set as the platform read it.
struct mappart {
    const u8* bytes;
    size_t size;
};
// Makes the set the map in memory: each part must have exactly its size and
// every number must index inside its table. A bad set is refused whole with
// the reason, and the world is left as it was; nullptr when it was taken.
const char* parsemap(const mappart& main, const mappart& npcs, const mappart& header);
// Reads the set named by its main file and parses it; false when a file is
// missing or the set is refused (the reason goes to the debug log).
bool loadmap(const char* name);
// False with the reason (also in the debug log) when the set could not be
// written; the old set and the world are then as they were.
bool savemap(const char* name, std::string* why = nullptr);
struct npcrec;
// The units stand in player 0's formation at its start point, in the
// order given (npcmap is the caller's to mend).
void formup(npcrec* const* units, int count);
// How many stand in that formation when a mission starts on the map in
// memory: the leader and player 0's units.
int startpartysize();
// Where in the formation of `count` units the cell lies: 0 the start cell
// (the leader's), 1.. the others' cells, -1 none.
int formationplace(i32 x, i32 y, int count);
