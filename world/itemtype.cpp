#include "world/itemtype.h"

#include <vector>

#include "app/exitgame.h"
#include "app/memory.h"
#include "platform/files.h"
#include "video/display.h"
#include "world/rle.h"

itemtyperec* itemtype[NUMITEMTYPES];
u8* itemrawdataptr[NUMITEMTYPES];

static const char itemsdat[] = "items\\items.dat";
static const char itemsraw[] = "items\\items.raw";

static void readrecords() {
    static_assert(sizeof(itemtyperec) == ITEMTYPESIZE, "the item type keeps its file size in memory");
    itemtyperec* block = (itemtyperec*)gamecalloc(sizeof(itemtyperec) * NUMITEMTYPES, "itemtype[0]");
    std::vector<u8> bytes;
    if (!plat_readfile(itemsdat, &bytes, ITEMSFILEBYTES) || bytes.size() < ITEMSFILEBYTES) exitgame(3, itemsdat);
    for (int i = 0; i < NUMITEMTYPES; i++) {
        itemtype[i] = block + i;
        itemtypefromfile(&bytes[(size_t)i * ITEMTYPESIZE], itemtype[i]);
    }
    itemtype[0]->isused = 1;
    // A large item's section is drawn with its first section's picture.
    for (const itemtyperec* t : itemtype)
        if (t->isused && t->partoflargeitem >= NUMITEMTYPES) exitgame(3, itemsdat);
}

// A picture must lie inside the raw file and be whole runs. Where the runs
// land is not checked: drawing clips each run to the surface, so a picture
// nudged out of its nominal box still loads.
static bool itemfits(const itemtyperec& t, const u8* data, u64 rawsize) {
    if (!t.rawdatasize) return true;
    if (t.rawdatasize > 32767 || (u64)t.fileoffset + t.rawdatasize > rawsize) return false;
    return data == nullptr || rleinsidedata(data, t.rawdatasize);
}

static void readpictures() {
    platfile* f = plat_fopenread(itemsraw);
    if (!f) exitgame(3, itemsraw);
    i64 rawsize = plat_fsize(f);
    for (int i = 0; i < NUMITEMTYPES; i++) {
        itemtyperec& t = *itemtype[i];
        t.isloaded = 0;
        itemrawdataptr[i] = nullptr;
        if (!t.isused) continue;
        t.isloaded = 1;
        if (!itemfits(t, nullptr, (u64)rawsize)) exitgame(3, itemsraw);
        if (!t.rawdatasize) continue;
        itemrawdataptr[i] = (u8*)gamealloc(t.rawdatasize, "inititemtypes()");
        if (!plat_fseek(f, t.fileoffset) || !plat_fread(f, itemrawdataptr[i], t.rawdatasize)) exitgame(3, itemsraw);
        if (!itemfits(t, itemrawdataptr[i], (u64)rawsize)) exitgame(3, itemsraw);
    }
    plat_fclose(f);
}

void inititemtypes() {
    readrecords();
    readpictures();
    for (int i = 1; i < NUMITEMTYPES; i++) {
        const itemtyperec& t = *itemtype[i];
        if (pixelformat == 2 && t.isused && t.rawdatasize) rleto565(itemrawdataptr[i], t.rawdatasize);
    }
    for (int i = 1; i < NUMITEMTYPES; i++)
        if (itemtype[i]->isused) itemtype[i]->ohmapcolor = averagecolour(2, i);
}
