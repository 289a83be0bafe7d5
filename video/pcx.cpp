#include <cstdio>
#include <cstring>

#include "app/exitgame.h"
#include "app/memory.h"
#include "platform/files.h"
#include "video/pcxdecode.h"
#include "video/picture.h"

// Fonts are the only PCX pictures; none comes near this.
static const size_t PCXMAXFILE = 4u << 20;

// A file that is too short, truncated or whose header does not fit its data
// ends the program like a missing one, naming the file.
u8* unpackpcx(const char* file, i32* outwidth, i32* outheight) {
    std::vector<u8> data;
    if (!plat_readfile(file, &data, PCXMAXFILE)) exitgame(3, file);
    std::vector<u8> pixels;
    i32 width = 0, height = 0;
    std::string why;
    if (!pcx_decode(data.data(), data.size(), &pixels, &width, &height, &why)) exitgame(3, file);
    u8* out = (u8*)gamealloc(pixels.size(), "memptr");
    std::memcpy(out, pixels.data(), pixels.size());
    if (outwidth) *outwidth = width;
    if (outheight) *outheight = height;
    return out;
}
