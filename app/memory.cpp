#include "app/memory.h"

#include <cstdlib>

#include "app/exitgame.h"

u32 memoryused = 0;

void* gamealloc(size_t bytes, const char* name) {
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p) exitgame(1, name);
    memoryused += (u32)bytes;
    return p;
}

void* gamecalloc(size_t bytes, const char* name) {
    void* p = std::calloc(bytes ? bytes : 1, 1);
    if (!p) exitgame(1, name);
    memoryused += (u32)bytes;
    return p;
}

void gamefree(void* p, size_t bytes) {
    if (!p) return;
    std::free(p);
    memoryused -= (u32)bytes;
}
