#include "platform/ddsurface.h"

#include <algorithm>

static std::vector<ddsurface*>& registry() {
    static std::vector<ddsurface*> all;
    return all;
}

ddsurface::ddsurface() { registry().push_back(this); }

ddsurface::~ddsurface() {
    auto& all = registry();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

const std::vector<ddsurface*>& ddsurface_all() { return registry(); }
