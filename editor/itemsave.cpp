#include "editor/itemsave.h"

#include <cstring>

#include "app/debuglog.h"
#include "platform/files.h"
#include "platform/safewrite.h"
#include "text/boxes.h"
#include "video/display.h"
#include "world/itemtype.h"
#include "world/rle.h"

static bool haspicture(int n) {
    const itemtyperec& t = *itemtype[n];
    return t.isused && t.rawdatasize && itemrawdataptr[n];
}

void builditemfiles(std::vector<u8>* raw, std::vector<u8>* dat, std::vector<u32>* offsets) {
    raw->clear();
    dat->assign(ITEMSFILEBYTES, 0);
    offsets->assign(NUMITEMTYPES, 0);
    for (int n = 0; n < NUMITEMTYPES; n++) {
        itemtyperec r = *itemtype[n];
        (*offsets)[n] = r.fileoffset;
        if (haspicture(n)) {
            r.fileoffset = (u32)raw->size();
            (*offsets)[n] = r.fileoffset;
            raw->insert(raw->end(), itemrawdataptr[n], itemrawdataptr[n] + r.rawdatasize);
            if (itempictureconverted(n)) {
                debuglog("Converting item %d raw data ...\n", n);
                rleto555(raw->data() + r.fileoffset, r.rawdatasize);
            }
        } else if (r.isused && r.rawdatasize) {
            // Ticked as used without a picture in memory: the file must not
            // promise one that is not there.
            r.fileoffset = r.rawdatasize = 0;
        }
        itemtypetofile(&r, &(*dat)[(size_t)n * ITEMTYPESIZE]);
    }
}

bool saveitems(std::string* why) {
    showmessage("Saving Items ...");
    std::vector<u8> raw, dat;
    std::vector<u32> offsets;
    builditemfiles(&raw, &dat, &offsets);
    std::vector<safepart> set = {{ITEMSRAWNAME, raw.data(), raw.size()}, {ITEMSDATNAME, dat.data(), dat.size()}};
    std::vector<std::vector<u8>> old;
    if (!plat_addbackups(&set, &old, PLAT_COPYMAX, why) || !plat_safewriteset(set, why)) {
        debuglog("Items not saved: %s\n", why->c_str());
        return false;
    }
    for (int n = 0; n < NUMITEMTYPES; n++) {
        itemtyperec& t = *itemtype[n];
        t.fileoffset = offsets[n];
        if (t.isused && t.rawdatasize && !itemrawdataptr[n]) t.rawdatasize = 0;
    }
    return true;
}
