#include "world/itemtype.h"

#include <cstring>
#include <vector>

#include "app/debuglog.h"
#include "app/exitgame.h"
#include "app/memory.h"
#include "platform/files.h"
#include "video/display.h"
#include "world/rle.h"

itemtyperec* itemtype[NUMITEMTYPES];
u8* itemrawdataptr[NUMITEMTYPES];

static const char* const itemsdat = "items\\items.dat";
static const char* const itemsraw = "items\\items.raw";

// A picture must lie inside the raw file and be whole runs. Where the runs
// land is not checked: drawing clips each run to the surface, so a picture
// nudged out of its nominal box still loads.
static bool itemfits(const itemtyperec& t, const u8* raw, size_t rawsize) {
    if (!t.rawdatasize) return true;
    if (t.rawdatasize > ITEMPICMAX || (u64)t.fileoffset + t.rawdatasize > rawsize) return false;
    return rleinsidedata(raw + t.fileoffset, t.rawdatasize);
}

static const char* refuse(const char* file, const char* why, const char** blamed) {
    if (blamed) *blamed = file;
    return why;
}

// The records first, as they are read first: a record at fault is
// items.dat's, a picture that does not fit is items.raw's.
static const char* checkitems(const itemtyperec* types, const u8* raw, size_t rawsize, const char** blamed) {
    // A large item's section is drawn with its first section's picture.
    for (int i = 0; i < NUMITEMTYPES; i++)
        if (types[i].isused && types[i].partoflargeitem >= NUMITEMTYPES)
            return refuse(itemsdat, "a large item's section names no item", blamed);
    for (int i = 0; i < NUMITEMTYPES; i++)
        if (types[i].isused && !itemfits(types[i], raw, rawsize))
            return refuse(itemsraw, "a picture lies outside items.raw or is not whole runs", blamed);
    return nullptr;
}

bool itempictureconverted(int n) { return pixelformat == 2 && n > 0; }

static void commitpictures(const u8* raw) {
    for (int i = 0; i < NUMITEMTYPES; i++) {
        itemtyperec& t = *itemtype[i];
        itemrawdataptr[i] = nullptr;
        t.isloaded = t.isused;
        if (!t.isused || !t.rawdatasize) continue;
        itemrawdataptr[i] = (u8*)gamealloc(t.rawdatasize, "inititemtypes()");
        std::memcpy(itemrawdataptr[i], raw + t.fileoffset, t.rawdatasize);
        if (itempictureconverted(i)) rleto565(itemrawdataptr[i], t.rawdatasize);
    }
}

const char* parseitemtypes(const u8* records, size_t recordsize, const u8* raw, size_t rawsize, const char** blamed) {
    static_assert(sizeof(itemtyperec) == ITEMTYPESIZE, "the item type keeps its file size in memory");
    if (recordsize != ITEMSFILEBYTES) return refuse(itemsdat, "items.dat is not one record for every item", blamed);
    // The records are read into the block they will live in, which becomes
    // the world's only once they pass.
    const size_t blockbytes = sizeof(itemtyperec) * NUMITEMTYPES;
    itemtyperec* block = (itemtyperec*)gamecalloc(blockbytes, "itemtype[0]");
    for (int i = 0; i < NUMITEMTYPES; i++) itemtypefromfile(&records[(size_t)i * ITEMTYPESIZE], &block[i]);
    block[0].isused = 1;
    if (const char* why = checkitems(block, raw, rawsize, blamed)) {
        gamefree(block, blockbytes);
        return why;
    }
    for (int i = 0; i < NUMITEMTYPES; i++) itemtype[i] = block + i;
    commitpictures(raw);
    for (int i = 1; i < NUMITEMTYPES; i++)
        if (itemtype[i]->isused) itemtype[i]->ohmapcolor = averagecolour(2, i);
    return nullptr;
}

void inititemtypes() {
    std::vector<u8> records, raw;
    // Each file is named as soon as it is known to be wrong, in the order read.
    if (!plat_readfile(itemsdat, &records, ITEMSFILEBYTES) || records.size() != ITEMSFILEBYTES) exitgame(3, itemsdat);
    if (!plat_readfile(itemsraw, &raw, ITEMSRAWMAX)) exitgame(3, itemsraw);
    const char* blamed = nullptr;
    if (const char* why = parseitemtypes(records.data(), records.size(), raw.data(), raw.size(), &blamed)) {
        debuglog("Items refused: %s\n", why);
        exitgame(3, blamed);
    }
}
