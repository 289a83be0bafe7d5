// Screenshots: the frame the display shows, as a PNG.
#include <cstdio>
#include <vector>

#include "platform/backend.h"
#include "platform/ddraw.h"
#include "platform/files.h"
#include "platform/png.h"
#include "platform/usertree.h"

static u8 expand(u32 v, int bits) { return (u8)(bits == 5 ? (v << 3) | (v >> 2) : (v << 2) | (v >> 4)); }

static bool saveshot(const std::string& hostpath, const u16* pixels, u32 format, std::string* why) {
    std::vector<u8> rgb(640 * 480 * 3);
    for (int i = 0; i < 640 * 480; i++) {
        u16 p = pixels[i];
        bool f555 = format == 555;
        rgb[i * 3 + 0] = expand(f555 ? (p >> 10) & 31 : (p >> 11) & 31, 5);
        rgb[i * 3 + 1] = f555 ? expand((p >> 5) & 31, 5) : expand((p >> 5) & 63, 6);
        rgb[i * 3 + 2] = expand(p & 31, 5);
    }
    return png_write(hostpath, 640, 480, rgb.data(), why);
}

bool plat_saveshot(const std::string& hostpath, const u16* pixels, u32 format) {
    std::string why;
    return saveshot(hostpath, pixels, format, &why);
}

void plat_savenumberedshot() {
    plat_makedir("shots");
    for (int n = 0; n < 10000; n++) {
        char name[32];
        std::snprintf(name, sizeof name, "shots\\shot%04d.png", n);
        if (plat_fileexists(name)) continue;
        std::string why;
        if (!saveshot(plat_writepath(name), dd_lastframe(), dd_displayformat(), &why))
            plat_debugoutput(("vennor: " + why + "\n").c_str());
        return;
    }
}
