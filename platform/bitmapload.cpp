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

platbitmap* plat_decodebitmap(const u8* data, size_t size, std::string* why) {
    platbitmap* b = new platbitmap;
    bool ok = png_issignature(data, size) ? png_decode(data, size, b, why) : bmp_decode(data, size, b, why);
    if (ok) return b;
    delete b;
    return nullptr;
}

static bool readnamed(const std::string& name, std::vector<u8>* bytes, std::string* path) {
    std::string found = readablename(name);
    if (path) *path = found;
    return plat_readfile(found.c_str(), bytes, BMPMAXFILE);
}

bool plat_readbitmapfile(const char* name, std::vector<u8>* bytes, std::string* path) {
    if (isresourcename(name) && readnamed(std::string("resources\\") + name + ".bmp", bytes, path)) return true;
    return readnamed(name, bytes, path);
}

platbitmap* plat_loadbitmap(const char* name) {
    std::vector<u8> bytes;
    std::string path, why;
    if (!plat_readbitmapfile(name, &bytes, &path)) return nullptr;
    platbitmap* b = plat_decodebitmap(bytes.data(), bytes.size(), &why);
    if (!b) plat_debugoutput((path + ": " + why + "\n").c_str());
    return b;
}

void plat_freebitmap(platbitmap* b) { delete b; }
