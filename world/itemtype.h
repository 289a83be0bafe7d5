#pragma once
// Item types (anything standing on a cell) and land types (floor tiles).
#include <cstddef>

#include "platform/types.h"
#include "world/grids.h"

constexpr int ITEMTYPESIZE = 68;
constexpr u32 ITEMSFILEBYTES = NUMITEMTYPES * ITEMTYPESIZE; // 278528
constexpr int TILEPIXELS = 400;
constexpr int TILEBYTES = 800;
constexpr u32 TERRAINBYTES = NUMLANDTYPES * TILEBYTES; // 1024000

struct itemtyperec {
    u32 fileoffset;
    u32 rawdatasize;
    u8 brightness;
    u8 animation;
    u8 surfaceheight;
    u8 picheight;
    u8 picwidth;
    u8 pad13[3];
    u32 passcost;
    u8 blockssight;
    u8 blockspassage;
    u8 pad22;
    u8 iswall;
    u8 isloaded;
    u8 isused;
    u8 offlimits;
    u8 largeitem;
    u8 xsize, ysize;
    u16 partoflargeitem;
    u8 xsection, ysection;
    u16 ohmapcolor;
    u8 takeable;
    u8 usable;
    u8 pad38[30];
};

struct landtyperec {
    u8 pad0;
    u8 sectionmark;
    u8 animation;
    u8 pad3;
    u16 ohmapcolor;
    u8 pad6[12];
};

extern itemtyperec* itemtype[NUMITEMTYPES];
extern u8* itemrawdataptr[NUMITEMTYPES];
// Whether item n's picture is held in the screen's format rather than the
// file's: item 0 (the empty cell's, never drawn) stays as the file has it,
// so loading and saving both pass it by.
bool itempictureconverted(int n);
extern u16* landrawdataptr[NUMLANDTYPES];
extern landtyperec* landtype[NUMLANDTYPES];

// The largest picture an item may have, and the largest items.raw read.
constexpr u32 ITEMPICMAX = 32767;
constexpr size_t ITEMSRAWMAX = (size_t)NUMITEMTYPES * (ITEMPICMAX + 1);

// Both read their files and end the program on one that is missing or refused.
void initland();
void inititemtypes();
// Makes the records and their pictures the item types when every used
// record's picture is whole runs inside the raw file and every large item's
// section names an item; nullptr then, else the reason, with the file it
// blames, and nothing changed.
const char* parseitemtypes(const u8* records, size_t recordsize, const u8* raw, size_t rawsize,
                           const char** blamed = nullptr);
// The tiles of every land type from terrain.raw, which must be exactly
// TERRAINBYTES long.
const char* parseland(const u8* bytes, size_t size);
// Mode 1: half the average colour of land tile n; mode 2: the average
// colour of item n's picture; otherwise a colour composed of red = n and
// green = mode.
u16 averagecolour(int mode, int n);

void itemtypefromfile(const u8* bytes, itemtyperec* t);
void itemtypetofile(const itemtyperec* t, u8* bytes);
// The first column and pixel count of a tile's row (0..19).
void tilerow(int r, int* firstcol, int* pixels);
