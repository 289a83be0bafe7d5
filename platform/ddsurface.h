#pragma once
// The surface record behind the opaque ddsurface handle. Internal to platform/.
#include <vector>

#include "platform/ddraw.h"

struct ddsurface {
    ddsurface();
    ~ddsurface();
    ddsurface(const ddsurface&) = delete;
    ddsurface& operator=(const ddsurface&) = delete;

    i32 width = 0;
    i32 height = 0;
    std::vector<u16> pixels; // rows of width pixels, in the display's layout
    bool systemmemory = false;
    bool primary = false;
    ddsurface* back = nullptr;
    bool lost = false;
    bool locked = false;
    bool hasdc = false;
    bool haskey = false;
    u16 keylow = 0, keyhigh = 0;
};

// Every surface that exists, for restore and loss.
const std::vector<ddsurface*>& ddsurface_all();
bool dd_injected(ddfailpoint where, hresult* code);
