#include "game/savestate.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "app/cursor.h"
#include "app/input.h"
#include "app/random.h"
#include "app/timer.h"
#include "game/activity.h"
#include "game/clickorders.h"
#include "game/commands.h"
#include "game/eventlog.h"
#include "game/kills.h"
#include "game/missionstats.h"
#include "game/panelscroll.h"
#include "game/party.h"
#include "game/cursorchoice.h"
#include "game/missile.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "game/savefile.h"
#include "game/spells.h"
#include "view/clouds.h"
#include "view/damagenumbers.h"
#include "view/light.h"
#include "view/mapview.h"
#include "view/panel.h"
#include "view/viewpos.h"
#include "world/grids.h"
#include "world/lanecheck.h"
#include "world/lebytes.h"
#include "world/npc.h"
#include "world/unittype.h"

// Plain pieces are the memory as it is: this game runs on little-endian
// machines only, and the file says little-endian.
static_assert(std::endian::native == std::endian::little);

template <typename T> static T as(const u8* b) {
    T v;
    std::memcpy(&v, b, sizeof v);
    return v;
}

// A number of type T between lo and hi.
template <typename T, long long lo, long long hi> static const char* inrange(const u8* b) {
    long long v = (long long)as<T>(b);
    return v < lo || v > hi ? "a value out of its range" : nullptr;
}
template <typename T> static const char* flag(const u8* b) { return inrange<T, 0, 1>(b); }

// Every element of an array of n values of T between lo and hi. The grids
// are most of a save, so unsigned ones from 0 are checked a word at a time.
template <typename T, int n, long long lo, long long hi> static const char* allinrange(const u8* b) {
    constexpr bool bywords = std::is_unsigned_v<T> && sizeof(T) <= 2 && lo == 0 &&
                             hi < (1LL << (8 * sizeof(T) - 1)) && n * sizeof(T) % 8 == 0;
    if constexpr (bywords) {
        return allatmost<T, (u64)hi>(b, n * sizeof(T)) ? nullptr : "a value out of its range";
    } else {
        for (int i = 0; i < n; i++)
            if (inrange<T, lo, hi>(b + i * sizeof(T))) return "a value out of its range";
        return nullptr;
    }
}

// ---- the world's records -----------------------------------------------------

static npcrec recordat(const u8* npcs, int slot) { return as<npcrec>(npcs + (size_t)slot * sizeof(npcrec)); }

static bool placed(const npcrec& n) {
    return n.x >= 0 && n.x < MAPSIZE && n.y >= 0 && n.y < MAPSIZE && n.mapoff == (u32)(n.y * MAPSIZE + n.x) &&
           n.unitno < (u32)NUMUNITTYPES;
}

static const char* checknpc(const npcrec& n, int slot) {
    if (!placed(n)) return "a unit outside the map or of no known type";
    if (n.player != slotplayer(slot)) return "a unit in another player's slot";
    if (n.facing > 8 || n.frame > 16 || n.step < -8 || n.step > 8) return "a unit in no known pose";
    if (n.state > NPC_ATTACKING && n.state != NPC_EMPTY) return "a unit in no known state";
    if (n.brightness > MAXBRIGHTNESS || n.hidden > 2 || n.casting > 1) return "a unit shining or hiding past the limits";
    if (n.cloudslot >= MAXCLOUDS || n.target > MAXNPCS || n.selected > 1) return "a unit naming a record past the last";
    return nullptr;
}

static const char* checknpcs(const u8* b) {
    for (int slot = 1; slot <= MAXNPCS; slot++) {
        npcrec n = recordat(b, slot);
        if (!n.isused) continue;
        if (const char* why = checknpc(n, slot)) return why;
        // A unit pursued or attacked is looked at where it stands.
        if (n.target && !placed(recordat(b, n.target))) return "a unit's target outside the map";
    }
    return nullptr;
}

static const char* checkplayers(const u8* b) {
    for (int p = 0; p < NUMPLAYERS; p++) {
        playerrec r = as<playerrec>(b + p * sizeof(playerrec));
        if (r.npccount > SLOTSPERPLAYER || r.active > 1 || r.computer > 1) return "a player with more units than slots";
    }
    return nullptr;
}

static const char* checkmissiles(const u8* b) {
    auto finite = [](f32 v, f32 limit) { return std::isfinite(v) && std::fabs(v) <= limit; };
    for (int i = 0; i < MAXMISSILES; i++) {
        missilerec m = as<missilerec>(b + i * sizeof(missilerec));
        if (m.isused > 1) return "a missile neither flying nor free";
        if (!m.isused) continue;
        if (m.kind > MISSILE_MAGIC || m.dir > 8 || m.frame > 7 || m.shooter < 0 || m.shooter > MAXNPCS)
            return "a missile of no known kind";
        if (m.x < 0 || m.x >= MAPSIZE || m.y < 0 || m.y >= MAPSIZE) return "a missile outside the map";
        if (!finite(m.offx, 40) || !finite(m.offy, 40) || m.offx < 0 || m.offy < 0 || !finite(m.xstep, 40) ||
            !finite(m.ystep, 40))
            return "a missile off its cell";
        for (int t = 0; t < 4; t++)
            if (m.trailactive[t] > 1 || m.trailage[t] > 8 || !finite(m.traildx[t], 1000) || !finite(m.traildy[t], 1000))
                return "a missile's trail out of its range";
    }
    return nullptr;
}

static const char* checknumbers(const u8* b) {
    for (int i = 0; i < MAXDAMAGENUMBERS; i++) {
        damagenumberrec d = as<damagenumberrec>(b + i * sizeof(damagenumberrec));
        if (d.active > 1 || d.placed > 1 || d.mode < 0 || d.mode > 1) return "a floating number in no known state";
        if (d.active && (d.cell < 0 || d.cell >= MAPCELLS || d.timer < 0 || d.timer > 1000))
            return "a floating number outside the map";
    }
    return nullptr;
}

// ---- clouds: their words are kept as text, not where they were ----------------

constexpr u32 CLOUDTEXT = 64;
struct savedcloud {
    u8 active, placed, fade, kind, alpha, pad[3];
    i32 x, y, width, slot;
    u32 endtick;
    char text[CLOUDTEXT];
};
static char cloudwords[MAXCLOUDS][CLOUDTEXT];

static void writeclouds(u8* b) {
    for (int r = 0; r < MAXCLOUDS; r++) {
        const cloudrec& c = cloud[r];
        savedcloud s = {};
        s.active = c.active, s.placed = c.placed, s.fade = c.fade, s.kind = c.kind, s.alpha = c.alpha;
        s.x = c.x, s.y = c.y, s.width = c.width, s.slot = c.slot, s.endtick = c.endtick;
        if (c.text) std::strncpy(s.text, c.text, CLOUDTEXT - 1);
        std::memcpy(b + r * sizeof s, &s, sizeof s);
    }
}

static const char* checkclouds(const u8* b) {
    for (int r = 0; r < MAXCLOUDS; r++) {
        savedcloud s = as<savedcloud>(b + r * sizeof s);
        if (s.active > 1 || s.placed > 1 || s.fade > 8 || s.kind > 1 || s.alpha > 32) return "a cloud in no known state";
        if (s.slot < 0 || s.slot > MAXNPCS) return "a cloud of a unit past the last";
        if (!std::memchr(s.text, 0, CLOUDTEXT)) return "a cloud's words without an end";
        if (s.width < 0 || s.width > 640) return "a cloud wider than the screen";
    }
    return nullptr;
}

static void commitclouds(const u8* b) {
    for (int r = 0; r < MAXCLOUDS; r++) {
        savedcloud s = as<savedcloud>(b + r * sizeof s);
        cloudrec& c = cloud[r];
        c = cloudrec{};
        c.active = s.active, c.placed = s.placed, c.fade = s.fade, c.kind = s.kind, c.alpha = s.alpha;
        c.x = s.x, c.y = s.y, c.width = s.width, c.slot = s.slot, c.endtick = s.endtick;
        std::memcpy(cloudwords[r], s.text, CLOUDTEXT);
        c.text = s.text[0] ? cloudwords[r] : nullptr;
    }
}

// ---- the clock, the cursor, the generator and the walked path ----------------

// The tick and everything counted with it: a loaded game goes on at the
// tick it was saved at, its deadlines as they were.
struct savedclock {
    u32 tick, animnext;
    u8 pulse, pulseup, animframe, cursoranim;
};

static void writeclock(u8* b) {
    savedclock c = {tickcount, animnexttick, pulse, pulseup, animframe, cursoranim};
    std::memcpy(b, &c, sizeof c);
}

static const char* checkclock(const u8* b) {
    savedclock c = as<savedclock>(b);
    if (c.pulse > 24 || c.pulseup > 1 || c.animframe > 7 || c.cursoranim > 1) return "a clock out of its range";
    return nullptr;
}

static void commitclock(const u8* b) {
    savedclock c = as<savedclock>(b);
    tickcount = c.tick;
    pulse = c.pulse;
    pulseup = c.pulseup;
    animframe = c.animframe;
    cursoranim = c.cursoranim;
    animnexttick = c.animnext;
}

struct savedcursor {
    u8 mode, pad;
    u16 colour;
};

static void writecursor(u8* b) {
    savedcursor c = {cursormode, 0, cursorcolor};
    std::memcpy(b, &c, sizeof c);
}

static const char* checkcursor(const u8* b) { return as<savedcursor>(b).mode > CM_LASTAIM ? "no known cursor" : nullptr; }

// The cursor's picture follows from its mode; its colour from what came
// before, so that is kept too. Its animation is the clock's.
static void commitcursor(const u8* b) {
    savedcursor c = as<savedcursor>(b);
    u8 animation = cursoranim, cell = animframe;
    u32 next = animnexttick;
    cursormode = (u8)(c.mode + 1);
    setcursormode(c.mode);
    cursorcolor = c.colour;
    cursoranim = animation, animframe = cell, animnexttick = next;
}

static void writerandom(u8* b) { putu32(b, getgamerandomstate()); }
static void commitrandom(const u8* b) { setgamerandomstate(getu32(b)); }

// A path as saved: where on it the walker is, then its steps.
constexpr u32 PATHBYTES = 1 + NPCPATHSIZE;

static void putpath(u8* b, u8 pos, const u8* path) {
    b[0] = pos;
    std::memcpy(b + 1, path, NPCPATHSIZE);
}

static void getpath(const u8* b, u8* pos, u8* path) {
    *pos = b[0];
    std::memcpy(path, b + 1, NPCPATHSIZE);
}

static const char* checksteps(const u8* b) {
    return allinrange<u8, NPCPATHSIZE, 0, 9>(b + 1) ? "a path of no known steps" : nullptr;
}

// The commanded unit's path: the walker reads on until the end mark, so one
// must follow.
static void writepath(u8* b) { putpath(b, pathpos, npcpath); }

static const char* checkpath(const u8* b) {
    if (const char* why = checksteps(b)) return why;
    if (b[0] >= NPCPATHSIZE || !std::memchr(b + 1 + b[0], 9, (size_t)(NPCPATHSIZE - b[0]))) return "a path without an end";
    return nullptr;
}

static void commitpath(const u8* b) { getpath(b, &pathpos, npcpath); }

// Each party member's own path.
constexpr u32 PARKEDBYTES = (SLOTSPERPLAYER + 1) * PATHBYTES;

static void writeparked(u8* b) {
    for (int s = 0; s <= SLOTSPERPLAYER; s++) putpath(b + s * PATHBYTES, parkedpos[s], parkedpath[s]);
}

// A parked path is read with its position checked and ends at any code
// that is no step, so it needs no end mark of its own.
static const char* checkparked(const u8* b) {
    for (int s = 0; s <= SLOTSPERPLAYER; s++) {
        const u8* p = b + s * PATHBYTES;
        if (p[0] > NPCPATHSIZE) return "a path walked past its end";
        if (const char* why = checksteps(p)) return why;
    }
    return nullptr;
}

static void commitparked(const u8* b) {
    for (int s = 0; s <= SLOTSPERPLAYER; s++) getpath(b + s * PATHBYTES, &parkedpos[s], parkedpath[s]);
}

static const char* checkstats(const u8* b) {
    const missionstatsrec& m = as<missionstatsrec>(b);
    if (m.outcome > OUTCOME_LOST) return "no known outcome";
    for (u8 a : m.alive)
        if (a > 1) return "a unit neither alive nor fallen";
    return nullptr;
}

// Every line of the log ends inside its room.
static const char* checkevents(const u8* b) {
    const eventlogrec& e = as<eventlogrec>(b);
    for (const auto& line : e.line)
        if (!std::memchr(line, 0, EVENTLINECHARS)) return "a log line without its end";
    return nullptr;
}

// The picked cell is on the map or is none.
static const char* checkcursoroff(const u8* b) {
    u32 off = as<u32>(b);
    return off >= (u32)MAPCELLS && off != NOCELL ? "a picked cell outside the map" : nullptr;
}

// A button held when the game is loaded (the click that chose the save) is
// no order to walk.
static void commitlmbwait(const u8* b) { waitingforlmbup = (u8)(b[0] | lbuttondown); }
static void writelmbwait(u8* b) { b[0] = waitingforlmbup; }

// ---- the table -----------------------------------------------------------------

#define PLAIN(name, var, check) {name, sizeof(var), []() -> void* { return (void*)&(var); }, check, nullptr, nullptr}
#define GRID(name, grid, bytes, check) {name, bytes, []() -> void* { return (void*)(grid); }, check, nullptr, nullptr}
#define MOVED(name, size, check, write, commit) {name, size, nullptr, check, write, commit}

const savepiece savepieces[] = {
    MOVED("clock", sizeof(savedclock), checkclock, writeclock, commitclock),
    MOVED("random", 4, nullptr, writerandom, commitrandom),
    GRID("landmap", landmap, MAPCELLS * 2, (allinrange<u16, MAPCELLS, 0, NUMLANDTYPES - 1>)),
    GRID("itemmap", itemmap, MAPCELLS * 2, (allinrange<u16, MAPCELLS, 0, NUMITEMTYPES - 1>)),
    GRID("npcmap", npcmap, MAPCELLS * 2, (allinrange<u16, MAPCELLS, 0, MAXNPCS>)),
    GRID("special", specialmap, MAPCELLS * 2, (allinrange<u16, MAPCELLS, 0, 16>)),
    GRID("lightmap", lightmap, MAPCELLS, (allinrange<u8, MAPCELLS, 0, NUMLIGHTLEVELS - 1>)),
    GRID("visible0", vistoplayer[0], MAPCELLS, nullptr),
    GRID("visible1", vistoplayer[1], MAPCELLS, nullptr),
    GRID("visible2", vistoplayer[2], MAPCELLS, nullptr),
    GRID("visible3", vistoplayer[3], MAPCELLS, nullptr),
    GRID("npcs", npc[0], NPCSLOTS * sizeof(npcrec), checknpcs),
    PLAIN("players", players, checkplayers),
    PLAIN("mapdata", mapdata, nullptr),
    PLAIN("missiles", missile, checkmissiles),
    PLAIN("numbers", damagenumber, checknumbers),
    MOVED("clouds", MAXCLOUDS * sizeof(savedcloud), checkclouds, writeclouds, commitclouds),
    PLAIN("curnpc", curnpc, (inrange<i32, 1, MAXNPCS>)),
    PLAIN("paused", gamepaused, flag<u32>),
    PLAIN("cputhink", computerthinking, flag<u32>),
    PLAIN("gather", autogather, flag<u8>),
    MOVED("path", PATHBYTES, checkpath, writepath, commitpath),
    PLAIN("fatregen", fatigueregentick, nullptr),
    PLAIN("magregen", magicregentick, nullptr),
    PLAIN("animdue", animationdue, nullptr),
    PLAIN("framedue", nextframetick, nullptr),
    PLAIN("thaw", thawtick, nullptr),
    PLAIN("frozen", frozenseen, nullptr),
    PLAIN("follow", followtoggle, flag<u32>),
    PLAIN("clickmov", clickedtomove, flag<u8>),
    PLAIN("clickatk", clickedtoattack, flag<u8>),
    MOVED("lmbwait", 1, flag<u8>, writelmbwait, commitlmbwait),
    PLAIN("dragcell", lastdragcell, nullptr),
    PLAIN("armed", armedslot, (allinrange<u8, 4, 0, 1>)),
    MOVED("cursor", sizeof(savedcursor), checkcursor, writecursor, commitcursor),
    PLAIN("paneltab", paneltab, (inrange<u8, 0, 4>)),
    PLAIN("lighting", lighting, flag<u8>),
    PLAIN("ambient", ambient, (inrange<u8, 0, NUMLIGHTLEVELS - 1>)),
    PLAIN("frdelay", framedelay, (inrange<u32, 0, 31>)),
    PLAIN("viewx", scx, (inrange<i32, 0, MAPSIZE - 1>)),
    PLAIN("viewy", scy, (inrange<i32, 0, MAPSIZE - 1>)),
    PLAIN("selx", selectedwx, nullptr),
    PLAIN("sely", selectedwy, nullptr),
    PLAIN("cursoff", cursoroff, checkcursoroff),
    PLAIN("goalx", goalx, nullptr),
    PLAIN("goaly", goaly, nullptr),
    PLAIN("goaloff", goaloff, nullptr),
    PLAIN("inrange", stopinrange, flag<u8>),
    PLAIN("adjacent", stopadjacent, flag<u8>),
    PLAIN("pathbuf", pathbuf, (allinrange<u8, PATHBUFSIZE, 0, 9>)),
    PLAIN("pathcost", pathcost, nullptr),
    MOVED("parked", PARKEDBYTES, checkparked, writeparked, commitparked),
    PLAIN("stats", missionstats, checkstats),
    PLAIN("events", eventlog, checkevents),
    PLAIN("kills", killcount, nullptr),
    PLAIN("invroll", invscroll, (inrange<int, 0, SLOTSPERPLAYER>)),
    PLAIN("logroll", logscroll, (inrange<int, 0, EVENTLINES>)),
};
const int numsavepieces = (int)(sizeof savepieces / sizeof savepieces[0]);

// ---- across pieces ---------------------------------------------------------------

static const u8* section(const std::vector<savesectionview>& s, const char* name) {
    for (int i = 0; i < numsavepieces; i++)
        if (std::strcmp(savepieces[i].name, name) == 0) return s[(size_t)i].bytes;
    return nullptr;
}

// What one piece names in another: the commanded unit, the units on the
// map's cells and the speakers of clouds are looked at where they stand.
static const char* checkacross(const std::vector<savesectionview>& s) {
    const u8 *npcs = section(s, "npcs"), *commanded = section(s, "curnpc"), *units = section(s, "npcmap");
    const u8* clouds = section(s, "clouds");
    if (!npcs) return nullptr;
    if (commanded && !placed(recordat(npcs, as<i32>(commanded)))) return "the commanded unit outside the map";
    for (int c = 0; units && c < MAPCELLS; c++) {
        u16 slot = getu16(units + 2 * c);
        if (slot && !recordat(npcs, slot).isused) return "a cell holding a unit that is not there";
    }
    for (int r = 0; clouds && r < MAXCLOUDS; r++) {
        savedcloud c = as<savedcloud>(clouds + r * sizeof c);
        if (c.active && c.slot > 0 && !placed(recordat(npcs, c.slot))) return "a cloud over a unit outside the map";
    }
    return nullptr;
}

// ---- the file ----------------------------------------------------------------------

void buildsave(std::vector<u8>* out) {
    savebegin(out);
    std::vector<u8> bytes;
    for (int i = 0; i < numsavepieces; i++) {
        const savepiece& p = savepieces[i];
        bytes.assign(p.size, 0);
        if (p.where) std::memcpy(bytes.data(), p.where(), p.size);
        else p.write(bytes.data());
        saveaddsection(out, p.name, bytes.data(), p.size);
    }
    savefinish(out);
}

static const char* checkall(const u8* bytes, size_t size, std::vector<savesectionview>* s) {
    if (size > SAVEMAXBYTES) return "too large to be a saved game";
    if (const char* why = savesplit(bytes, size, s)) return why;
    if ((int)s->size() != numsavepieces) return "saved by another version of the game";
    for (int i = 0; i < numsavepieces; i++) {
        const savepiece& p = savepieces[i];
        const savesectionview& v = (*s)[(size_t)i];
        if (std::strncmp(v.name, p.name, SAVENAMEBYTES) != 0 || v.size != p.size)
            return "saved by another version of the game";
    }
    static std::string named;
    for (int i = 0; i < numsavepieces; i++) {
        const savepiece& p = savepieces[i];
        if (!p.check) continue;
        if (const char* why = p.check((*s)[(size_t)i].bytes)) {
            named = std::string(why) + " (" + p.name + ")";
            return named.c_str();
        }
    }
    return checkacross(*s);
}

const char* checksavebytes(const u8* bytes, size_t size) {
    std::vector<savesectionview> s;
    return checkall(bytes, size, &s);
}

const char* loadsavebytes(const u8* bytes, size_t size) {
    std::vector<savesectionview> s;
    if (const char* why = checkall(bytes, size, &s)) return why;
    for (int i = 0; i < numsavepieces; i++) {
        const savepiece& p = savepieces[i];
        if (p.where) std::memcpy(p.where(), s[(size_t)i].bytes, p.size);
        else p.commit(s[(size_t)i].bytes);
    }
    return nullptr;
}
