#include "world/mapfile.h"

#include <bit>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/debuglog.h"
#include "platform/files.h"
#include "platform/safewrite.h"
#include "text/boxes.h"
#include "world/grids.h"
#include "world/lanecheck.h"
#include "world/lebytes.h"
#include "world/npc.h"
#include "world/unittype.h"

std::string demomapname = "maps\\map0.dat";

bool validmapname(const std::string& name) {
    if (name.empty() || name.size() > 32) return false;
    for (char c : name)
        if (!std::isalnum((unsigned char)c) && c != '-' && c != '_') return false;
    return true;
}

std::string mappath(const std::string& name) { return "maps\\" + name + ".dat"; }

std::string mapnameof(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

std::string companionname(const char* name, const char* ending) {
    std::string s = name;
    if (s.size() >= 3) s.replace(s.size() - 3, 3, ending);
    return s;
}

// A map read aside, checked, and only then made the world's: a refused or
// unreadable map leaves the world as it was. The grids are checked where
// they lie in the main file and copied from it only when the map is taken.
struct scratchmap {
    const u8* grids; // land, then items; null for a blank map
    std::vector<npcrec> npcs;
    mapheader header;
};

// Each part of the set must have exactly its size: a short file would
// leave records of the last map behind, a long one is not a map.
static const char* partsize(const mappart& part, size_t size, const char* what) {
    return part.size == size ? nullptr : what;
}

static void parsegrids(const u8* file, scratchmap& m) {
    m.grids = file;
    debuglog(" landmap loaded, %d bytes read\n", (int)MAPGRIDBYTES);
    debuglog(" itemmap loaded, %d bytes read\n", (int)MAPGRIDBYTES);
}

static void parsenpcs(const u8* bytes, scratchmap& m) {
    for (int slot = 0; slot < NPCSLOTS; slot++) npcfromfile(&bytes[slot * NPCRECSIZE], &m.npcs[slot]);
    debuglog(" npcs loaded, %d bytes read (sizeof npc: %d)\n", (int)NPCFILEBYTES, NPCRECSIZE);
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

void formup(npcrec* const* units, int count) {
    formation f = startformation(mapdata);
    for (int i = 0; i < count; i++) {
        npcrec& n = *units[i];
        place(f, n);
        n.mapoff = (u32)(n.y * 256 + n.x);
    }
}

// The map's unit in slot 1 gives its slot up to the leader and stays a member.
int startpartysize() {
    int count = 1;
    for (int slot = 1; slot <= SLOTSPERPLAYER; slot++) count += npc[slot] && npc[slot]->isused;
    return count > SLOTSPERPLAYER ? SLOTSPERPLAYER : count;
}

int formationplace(i32 x, i32 y, int count) {
    formation f = startformation(mapdata);
    npcrec spot{};
    for (int i = 0; i < count; i++) {
        if (!place(f, spot)) return -1;
        if (spot.x == x && spot.y == y) return i;
    }
    return -1;
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
        // A unit never starts above its own maximum: the bars and healing
        // measure against it.
        if (n.healthmax > 0 && n.health > n.healthmax) n.health = n.healthmax;
        if (n.unitno < NUMUNITTYPES) {
            n.fatigue = (i16)unittype[n.unitno]->movementmax;
            n.magic = unittype[n.unitno]->magicmax;
        }
    }
}

// The map's numbers index tables and grids: any that would reach outside
// them refuse the whole map.
static const char* checkmap(const scratchmap& m) {
    if (!allatmost<u16, NUMLANDTYPES - 1>(m.grids, MAPGRIDBYTES)) return "a land type past the last";
    if (!allatmost<u16, NUMITEMTYPES - 1>(m.grids + MAPGRIDBYTES, MAPGRIDBYTES)) return "an item number past the last";
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
    // The file's little-endian numbers are the machine's.
    static_assert(std::endian::native == std::endian::little);
    if (m.grids) {
        std::memcpy(landmap, m.grids, MAPGRIDBYTES);
        std::memcpy(itemmap, m.grids + MAPGRIDBYTES, MAPGRIDBYTES);
    } else {
        std::memset(landmap, 0, MAPGRIDBYTES);
        std::memset(itemmap, 0, MAPGRIDBYTES);
    }
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

void blankmap() {
    scratchmap m;
    m.grids = nullptr;
    m.npcs.assign(NPCSLOTS, npcrec{});
    m.header = mapheader{};
    m.header.homex[0] = m.header.homey[0] = MAPSIZE / 2;
    m.header.homedir[0] = 3;
    commit(m);
}

const char* parsemap(const mappart& main, const mappart& npcs, const mappart& header) {
    if (const char* why = partsize(main, 2 * MAPGRIDBYTES, "the main file is not two grids long")) return why;
    if (const char* why = partsize(npcs, NPCFILEBYTES, "the npc file is not the size of every unit slot")) return why;
    if (const char* why = partsize(header, MAPDATASIZE, "the header file is not a header's size")) return why;
    scratchmap m;
    m.npcs.resize(NPCSLOTS);
    parsegrids(main.bytes, m);
    parsenpcs(npcs.bytes, m);
    mapdatafromfile(header.bytes, &m.header);
    debuglog(" map data loaded, %d bytes read\n", MAPDATASIZE);
    placeplayer0(m);
    if (const char* why = checkmap(m)) return why;
    commit(m);
    return nullptr;
}

// The largest file of a set; anything larger is refused unread.
static const size_t MAPPARTMAX = 2 * MAPGRIDBYTES;

bool loadmap(const char* name) {
    debuglog("Loading Map: %s\n", name);
    if (std::strlen(name) < 3) return false;
    const std::string names[3] = {name, companionname(name, "npc"), companionname(name, "map")};
    std::vector<u8> bytes[3];
    for (int k = 0; k < 3; k++)
        if (!plat_readfile(names[k].c_str(), &bytes[k], MAPPARTMAX)) {
            debuglog("Map refused: %s cannot be read\n", names[k].c_str());
            return false;
        }
    auto part = [&](int k) { return mappart{bytes[k].data(), bytes[k].size()}; };
    if (const char* why = parsemap(part(0), part(1), part(2))) {
        debuglog("Map refused: %s\n", why);
        return false;
    }
    debuglog("Map Loaded.\n");
    return true;
}

// The three files are made from the world as it stands and written as one
// set: a failure leaves the old set on disk and the world as it was.
bool savemap(const char* name, std::string* why) {
    std::string reason;
    if (!why) why = &reason;
    char text[300];
    std::snprintf(text, sizeof text, "Saving Map ... %s", name);
    showmessage(text);
    if (std::strlen(name) < 3) {
        *why = "the map name is too short";
        return false;
    }
    std::vector<u8> grids(2 * MAPGRIDBYTES);
    for (int i = 0; i < MAPCELLS; i++) {
        putu16(&grids[i * 2], landmap[i]);
        putu16(&grids[MAPGRIDBYTES + i * 2], itemmap[i]);
    }
    // Player 0's units are kept too: they are the party a mission starts with.
    std::vector<u8> npcbytes(NPCFILEBYTES, 0);
    for (int slot = 0; slot < NPCSLOTS; slot++) npctofile(npc[slot], &npcbytes[slot * NPCRECSIZE]);
    std::vector<u8> header(MAPDATASIZE);
    mapdatatofile(&mapdata, header.data());
    std::vector<safepart> set = {{name, grids.data(), grids.size()},
                                 {companionname(name, "npc"), npcbytes.data(), npcbytes.size()},
                                 {companionname(name, "map"), header.data(), header.size()}};
    // The files on disk become the backups (last letter "0") in the same
    // set, so a failure keeps both the files and their backups as they were.
    std::vector<std::vector<u8>> old;
    if (!plat_addbackups(&set, &old, PLAT_COPYMAX, why)) {
        debuglog("Map not saved: %s\n", why->c_str());
        return false;
    }
    if (!plat_safewriteset(set, why)) {
        debuglog("Map not saved: %s\n", why->c_str());
        return false;
    }
    return true;
}
