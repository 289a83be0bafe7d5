#include "world/mapfile.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <vector>

#include "app/debuglog.h"
#include "app/exitgame.h"
#include "platform/files.h"
#include "text/boxes.h"
#include "world/grids.h"
#include "world/lebytes.h"
#include "world/npc.h"
#include "world/unittype.h"

std::string companionname(const char* name, const char* ending) {
    std::string s = name;
    if (s.size() >= 3) s.replace(s.size() - 3, 3, ending);
    return s;
}

// A map read aside, checked, and only then made the world's: a refused or
// unreadable map leaves the world as it was.
struct scratchmap {
    std::vector<u16> land, item;
    std::vector<npcrec> npcs;
    mapheader header;
};

static void readgrid(const std::vector<u8>& file, u32 from, std::vector<u16>& grid) {
    u32 n = file.size() > from ? (u32)std::min<size_t>(file.size() - from, MAPGRIDBYTES) : 0;
    for (u32 i = 0; i + 1 < n; i += 2) grid[i / 2] = getu16(&file[from + i]);
}

static bool readmainfile(const char* name, scratchmap& m) {
    std::vector<u8> file;
    platfile* f = plat_fopenread(name);
    if (!f) return false;
    plat_fclose(f);
    if (!plat_readfile(name, &file, 2 * MAPGRIDBYTES)) return false;
    readgrid(file, 0, m.land);
    u32 landread = (u32)std::min<size_t>(file.size(), MAPGRIDBYTES);
    debuglog(" landmap loaded, %d bytes read\n", (int)landread);
    readgrid(file, MAPGRIDBYTES, m.item);
    u32 itemread = file.size() > MAPGRIDBYTES ? (u32)std::min<size_t>(file.size() - MAPGRIDBYTES, MAPGRIDBYTES) : 0;
    debuglog(" itemmap loaded, %d bytes read\n", (int)itemread);
    return true;
}

// The companion's bytes; false when it cannot be opened, the end of the
// program when it cannot be read.
static bool readcompanion(const std::string& name, std::vector<u8>& bytes, size_t maxbytes) {
    platfile* f = plat_fopenread(name.c_str());
    if (!f) return false;
    plat_fclose(f);
    if (!plat_readfile(name.c_str(), &bytes, maxbytes)) exitgame(3, name.c_str());
    return true;
}

static bool readnpcfile(const std::string& name, scratchmap& m) {
    std::vector<u8> bytes;
    if (!readcompanion(name, bytes, NPCFILEBYTES)) return false;
    size_t n = std::min<size_t>(bytes.size(), NPCFILEBYTES);
    // A short file leaves the records it does not reach as they were.
    for (size_t slot = 0; (slot + 1) * NPCRECSIZE <= n; slot++) npcfromfile(&bytes[slot * NPCRECSIZE], &m.npcs[slot]);
    debuglog(" npcs loaded, %d bytes read (sizeof npc: %d)\n", (int)n, NPCRECSIZE);
    return true;
}

static bool readheaderfile(const std::string& name, scratchmap& m) {
    std::vector<u8> bytes;
    if (!readcompanion(name, bytes, MAPDATASIZE)) return false;
    size_t n = std::min<size_t>(bytes.size(), MAPDATASIZE);
    std::memcpy(&m.header, bytes.data(), n);
    debuglog(" map data loaded, %d bytes read\n", (int)n);
    return true;
}

// Player 0's units stand in rows or columns two cells apart from the start
// point, wrapping after eight; each facing lays the formation out its way.
struct formation {
    i32 col, row;
    i32 homex, homey;
    u8 dir;
};

static bool place(formation& f, npcrec& n) {
    switch (f.dir) {
    case 1: case 5:
        n.x = (i16)f.col;
        n.y = (i16)f.row;
        f.col += 2;
        if (f.col > f.homex + 15) {
            f.col = f.homex;
            f.row += f.dir == 1 ? 2 : -2;
        }
        break;
    case 3: case 7:
        n.x = (i16)f.col;
        n.y = (i16)f.row;
        f.row += 2;
        if (f.row > f.homey + 15) {
            f.row = f.homey;
            f.col += f.dir == 3 ? -2 : 2;
        }
        break;
    default:
        return false;
    }
    n.facing = f.dir;
    return true;
}

static formation startformation(const mapheader& h) {
    formation f = {h.homex[0], h.homey[0], h.homex[0], h.homey[0], h.homedir[0]};
    if (f.dir == 3) f.col += 6;
    if (f.dir == 5) f.row += 6;
    return f;
}

static void placeplayer0(scratchmap& m) {
    formation f = startformation(m.header);
    for (int slot = 1; slot <= MAXNPCS; slot++) {
        npcrec& n = m.npcs[slot];
        n.player = (u8)slotplayer(slot);
        if (n.player != 0 || !n.isused) continue;
        place(f, n);
        n.mapoff = (u32)(n.y * 256 + n.x);
        n.health = 200;
        if (n.unitno < NUMUNITTYPES) {
            n.fatigue = (i16)unittype[n.unitno]->movementmax;
            n.magic = unittype[n.unitno]->magicmax;
        }
    }
}

// The map's numbers index tables and grids: any that would reach outside
// them refuse the whole map.
static const char* checkmap(const scratchmap& m) {
    for (int i = 0; i < MAPCELLS; i++) {
        if (m.land[i] >= NUMLANDTYPES) return "a land type past the last";
        if (m.item[i] >= NUMITEMTYPES) return "an item number past the last";
    }
    for (int slot = 1; slot <= MAXNPCS; slot++) {
        const npcrec& n = m.npcs[slot];
        if (!n.isused) continue;
        if (n.x < 0 || n.x >= MAPSIZE || n.y < 0 || n.y >= MAPSIZE || n.mapoff >= (u32)MAPCELLS)
            return "a unit outside the map";
        if (n.unitno >= NUMUNITTYPES) return "a unit of no known type";
    }
    return nullptr;
}

static void commit(const scratchmap& m) {
    std::memcpy(landmap, m.land.data(), MAPGRIDBYTES);
    std::memcpy(itemmap, m.item.data(), MAPGRIDBYTES);
    std::memset(specialmap, 0, MAPGRIDBYTES);
    for (int slot = 0; slot < NPCSLOTS; slot++) *npc[slot] = m.npcs[slot];
    mapdata = m.header;
    std::memset(npcmap, 0, MAPGRIDBYTES);
    for (int slot = 1; slot <= MAXNPCS; slot++) {
        npcrec& n = *npc[slot];
        if (!n.isused) {
            n.state = NPC_EMPTY;
            continue;
        }
        npcmap[n.mapoff] = (u16)slot;
        n.state = NPC_IDLE;
    }
    for (int p = 0; p < NUMPLAYERS; p++) {
        int count = 0;
        for (int s = p * SLOTSPERPLAYER + 1; s <= (p + 1) * SLOTSPERPLAYER; s++) count += npc[s]->isused != 0;
        players[p].npccount = (u8)count;
        players[p].active = count != 0;
    }
}

bool loadmap(const char* name) {
    debuglog("Loading Map: %s\n", name);
    scratchmap m;
    m.land.assign(landmap, landmap + MAPCELLS);
    m.item.assign(itemmap, itemmap + MAPCELLS);
    for (int slot = 0; slot < NPCSLOTS; slot++) m.npcs.push_back(*npc[slot]);
    m.header = mapdata;
    if (std::strlen(name) < 3 || !readmainfile(name, m)) return false;
    if (!readnpcfile(companionname(name, "npc"), m)) return false;
    if (!readheaderfile(companionname(name, "map"), m)) return false;
    placeplayer0(m);
    if (const char* why = checkmap(m)) {
        debuglog("Map refused: %s\n", why);
        return false;
    }
    commit(m);
    debuglog("Map Loaded.\n");
    return true;
}

static bool writegrids(const char* name) {
    std::vector<u8> bytes(2 * MAPGRIDBYTES);
    for (int i = 0; i < MAPCELLS; i++) {
        putu16(&bytes[i * 2], landmap[i]);
        putu16(&bytes[MAPGRIDBYTES + i * 2], itemmap[i]);
    }
    return plat_writefile(name, bytes.data(), bytes.size());
}

// False when the file cannot be created; the end of the program when it
// cannot be written.
static bool writecompanion(const std::string& name, const std::vector<u8>& bytes) {
    platfile* f = plat_fcreate(name.c_str());
    if (!f) return false;
    bool ok = plat_fwrite(f, bytes.data(), bytes.size()) && plat_fflush(f);
    plat_fclose(f);
    if (!ok) exitgame(3, name.c_str());
    return true;
}

bool savemap(const char* name) {
    char text[300];
    std::snprintf(text, sizeof text, "Saving Map ... %s", name);
    showmessage(text);
    if (std::strlen(name) < 3 || !writegrids(name)) return false;
    for (int slot = 1; slot <= SLOTSPERPLAYER; slot++) std::memset(npc[slot], 0, sizeof(npcrec));
    std::vector<u8> npcbytes(NPCFILEBYTES);
    for (int slot = 0; slot < NPCSLOTS; slot++) npctofile(npc[slot], &npcbytes[slot * NPCRECSIZE]);
    if (!writecompanion(companionname(name, "npc"), npcbytes)) return false;
    std::vector<u8> header(MAPDATASIZE);
    mapdatatofile(&mapdata, header.data());
    return writecompanion(companionname(name, "map"), header);
}
