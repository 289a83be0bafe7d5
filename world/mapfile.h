#pragma once
// The map file set: the main file (land and item grids) and its two
// companions, the npc file and the header file.
#include <string>

#include "platform/types.h"

constexpr u32 MAPGRIDBYTES = 131072;
constexpr u32 NPCFILEBYTES = 20124;

// The companion of a main file name: its last three characters replaced.
std::string companionname(const char* name, const char* ending);
bool loadmap(const char* name);
bool savemap(const char* name);
