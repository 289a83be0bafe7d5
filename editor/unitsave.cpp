// The unit editor's save: every picture set and unit type, with the files
// they replace kept as backups, in one all-or-nothing set.
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/debuglog.h"
#include "editor/uniteditor.h"
#include "platform/files.h"
#include "platform/safewrite.h"
#include "video/display.h"
#include "world/lebytes.h"
#include "world/rle.h"
#include "world/unittype.h"

// A set that was never loaded has no frames in memory: it goes back as it
// was read (its directory untouched, its raw file empty).
static void buildset(int s, std::vector<u8>* raw, std::vector<u8>* dir) {
    const u32* d = unitpicdir + s * 768;
    dir->assign(UNITDIRSIZE, 0);
    raw->clear();
    if (!unitpicloaded[s]) {
        for (int i = 0; i < 768; i++) putu32(&(*dir)[(size_t)i * 4], d[i]);
        return;
    }
    bool said = false;
    u32 offset = 0;
    for (int i = 0; i < UNITFRAMES; i++) {
        u32 size = (u32)(i16)(u16)d[UNITFRAMES + i];
        if ((i32)size < 0 || !unitframe[s][i]) size = 0;
        putu32(&(*dir)[(size_t)i * 4], offset);
        putu32(&(*dir)[(size_t)(UNITFRAMES + i) * 4], size);
        if (!size) continue;
        size_t at = raw->size();
        raw->insert(raw->end(), unitframe[s][i], unitframe[s][i] + size);
        if (pixelformat == 2) {
            if (!said) debuglog("Converting unit %d raw data to PF_555 ...\n", s);
            said = true;
            rleto555(raw->data() + at, size);
        }
        offset += size;
    }
}

bool saveunitfiles(std::string* why) {
    std::vector<u8> raws[NUMUNITTYPES], dirs[NUMUNITTYPES], types[NUMUNITTYPES];
    std::vector<safepart> set;
    char name[64];
    for (int s = 0; s < NUMUNITTYPES; s++) {
        buildset(s, &raws[s], &dirs[s]);
        std::snprintf(name, sizeof name, "units\\newunitpic%d.raw", s);
        set.push_back({name, raws[s].data(), raws[s].size()});
        std::snprintf(name, sizeof name, "units\\newunitpic%d.dat", s);
        set.push_back({name, dirs[s].data(), dirs[s].size()});
    }
    for (int t = 0; t < NUMUNITTYPES; t++) {
        unittyperec u = *unittype[t];
        u.name[sizeof u.name - 1] = 0;
        types[t].assign(UNITTYPESIZE, 0);
        unittypetofile(&u, types[t].data());
        std::snprintf(name, sizeof name, "units\\unit%d.dat", t);
        set.push_back({name, types[t].data(), types[t].size()});
    }
    std::vector<std::vector<u8>> old;
    if (!plat_addbackups(&set, &old, PLAT_COPYMAX, why) || !plat_safewriteset(set, why)) {
        debuglog("Units not saved: %s\n", why->c_str());
        return false;
    }
    return true;
}
