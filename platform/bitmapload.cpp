// Bitmaps by name: the program's resources live in the data tree's
// resources folder as NAME.bmp; any other name is a file path.
#include <cstring>

#include "platform/bmpdecode.h"
#include "platform/files.h"
#include "platform/platform.h"

// No picture of the game comes near this; a larger file is refused unread.
static const size_t BMPMAXFILE = 16u << 20;

static bool isresourcename(const char* name) { return !std::strpbrk(name, "\\/."); }

static platbitmap* decodefile(const std::string& path) {
    std::vector<u8> data;
    if (!plat_readfile(path.c_str(), &data, BMPMAXFILE)) return nullptr;
    platbitmap* b = new platbitmap;
    std::string why;
    if (bmp_decode(data.data(), data.size(), b, &why)) return b;
    plat_debugoutput((path + ": " + why + "\n").c_str());
    delete b;
    return nullptr;
}

platbitmap* plat_loadbitmap(const char* name) {
    if (isresourcename(name))
        if (platbitmap* b = decodefile(std::string("resources\\") + name + ".bmp")) return b;
    return decodefile(name);
}

void plat_freebitmap(platbitmap* b) { delete b; }
