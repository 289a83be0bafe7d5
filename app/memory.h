#pragma once
// memoryused: bytes held in the game's own allocations. Every allocation of
// game data goes through these so the total stays right; a failed one ends
// the program with code 1 and the allocation's name.
#include <cstddef>

#include "platform/types.h"

extern u32 memoryused;

void* gamealloc(size_t bytes, const char* name);
void* gamecalloc(size_t bytes, const char* name);
void gamefree(void* p, size_t bytes);
