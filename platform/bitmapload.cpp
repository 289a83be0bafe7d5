// Bitmaps by name: the program's resources live in the data tree's
// resources folder as NAME.bmp; any other name is a file path. A picture
// named .bmp that is not there is looked for as .png, so a data tree may
// hold either; what a file holds is told by its signature, not its name.
#include <strings.h>

#include <cstring>

#include "platform/bmpdecode.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/pngdecode.h"

// No picture of the game comes near this; a larger file is refused unread.
static const size_t BMPMAXFILE = 16u << 20;

static bool isresourcename(const char* name) { return !std::strpbrk(name, "\\/."); }

static std::string readablename(const std::string& path) {
    size_t n = path.size();
    if (n < 4 || strcasecmp(path.c_str() + n - 4, ".bmp") != 0 || plat_fileexists(path.c_str())) return path;
    return path.substr(0, n - 4) + ".png";
}

static bool decodebytes(const std::vector<u8>& data, platbitmap* b, std::string* why) {
    if (png_issignature(data.data(), data.size())) return png_decode(data.data(), data.size(), b, why);
    return bmp_decode(data.data(), data.size(), b, why);
}

static platbitmap* decodefile(const std::string& name) {
    std::string path = readablename(name);
    std::vector<u8> data;
    if (!plat_readfile(path.c_str(), &data, BMPMAXFILE)) return nullptr;
    platbitmap* b = new platbitmap;
    std::string why;
    if (decodebytes(data, b, &why)) return b;
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
