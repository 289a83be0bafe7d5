#pragma once
// The program's string table.
#include <cstddef>

#include "platform/types.h"

// Copies string `id` into buf (at most size - 1 characters, zero-terminated).
// Returns its length; an unknown id gives an empty string and 0.
int loadstring(u32 id, char* buf, size_t size);
