// vennor_longrun: a long headless mission on the demo map with the hunters
// kept at work, then a mission won and one lost, to find what only shows
// after many frames or at a mission's end: crashes, reads and writes out of
// bounds (run the sanitized build), and memory a mission does not give back.
//   build/vennor_longrun [--data DIR] [--frames N] [--user-dir DIR]
// Every frame advances the clock one tick, steps the world, draws the view
// and tallies the outcome as the game's own frame does.
//
// The long mission (N frames): the party of four the demo map starts with
// is kept alive, twenty more computer units join the map's, fallen hunters
// are sent in again near the leader and the leader strikes back at whoever
// stands beside him, so the fight never ends. Half way it is saved with F5's
// save and, some frames on, loaded with F9's load: the file must hold the
// game as it stood, the load must put it back exactly, and the frames played
// again must end exactly as they did the first time.
// Then a mission won (the party kept alive, the foe still standing after a
// while struck down by the leader) and one lost (the party left to the
// hunters, then struck down by them), each to its end screen.
// Saves and the log go to the player's tree, a fresh temporary one unless
// --user-dir names one, never into the data. Exits 1 when any mission ends
// with the game's memory count other than before it, when its outcome is
// not the one it was played for, when the party is not four, when the save
// or the load is not exact, or when no hunter ever struck (or, in runs of
// 3000 frames or more, none ever fell).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/debuglog.h"
#include "app/gamestate.h"
#include "app/memory.h"
#include "app/startup.h"
#include "app/timer.h"
#include "game/kills.h"
#include "game/facing.h"
#include "game/mission.h"
#include "game/missionend.h"
#include "game/missionstate.h"
#include "game/missionstats.h"
#include "game/party.h"
#include "game/savefile.h"
#include "game/savegame.h"
#include "game/savemenu.h"
#include "game/savestate.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/usertree.h"
#include "video/display.h"
#include "video/presentframe.h"
#include "view/mapview.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace {

constexpr int PARTYSIZE = 4;
// Frames a won or lost mission is fought before its last blows are dealt,
// and the most it may then take to be decided and to finish falling.
constexpr int OUTCOMEFIGHT = 300;
constexpr int OUTCOMEMOST = 400;

struct tally {
    long hunting = 0;   // hunter-frames spent moving or attacking
    long redeployed = 0;
    long healed = 0;
    int leaderlow = 1 << 30;
    int memberlow[PARTYSIZE + 1] = {0, 1 << 30, 1 << 30, 1 << 30, 1 << 30};
};

u32 seed = 2024;
i32 rnd(i32 n) {
    seed = seed * 1103515245u + 12345u;
    return (i32)((seed >> 16) % (u32)n);
}

bool failed = false;
void fail(const std::string& what) {
    std::printf("FAILED: %s\n", what.c_str());
    failed = true;
}

bool freecell(i32 x, i32 y) {
    u16 it = itemat(x, y);
    return onmap(x, y) && !npcat(x, y) && !(it && itemtype[it] && itemtype[it]->blockspassage);
}

bool standing(const npcrec& n) { return n.isused && n.state != NPC_EMPTY && n.state != NPC_DEAD && n.state != NPC_DYING; }

// A fallen computer unit stands up again somewhere within twelve cells of
// the leader, whole.
void redeploy(int slot, tally& t) {
    npcrec& n = *npc[slot];
    const npcrec& leader = *npc[1];
    for (int tries = 0; tries < 200; tries++) {
        i32 x = leader.x + rnd(25) - 12, y = leader.y + rnd(25) - 12;
        if (!freecell(x, y)) continue;
        if (n.mapoff < (u32)MAPCELLS && npcmap[n.mapoff] == slot) npcmap[n.mapoff] = 0;
        n.x = (i16)x, n.y = (i16)y;
        n.mapoff = (u32)cellof(x, y);
        npcmap[n.mapoff] = (u16)slot;
        n.health = n.healthmax;
        n.state = NPC_IDLE;
        n.frame = n.step = 0;
        n.target = 0;
        t.redeployed++;
        return;
    }
}

// The player's order the leader would be given: strike back at an enemy
// beside him.
void strikeback() {
    npcrec& leader = *npc[1];
    if (leader.state != NPC_IDLE) return;
    for (int c = 1; c <= 8; c++) {
        i32 x = leader.x + facingdx[c], y = leader.y + facingdy[c];
        u16 e = npcat(x, y);
        if (!e || npc[e]->player == 0 || !standing(*npc[e])) continue;
        leader.target = e;
        leader.destx = (u8)x, leader.desty = (u8)y;
        leader.destoff = (u16)cellof(x, y);
        leader.facing = (u8)c;
        return;
    }
}

// More computer units near the leader, so that many hunt at once.
void muster(int n) {
    for (int tries = 0; n > 0 && tries < 5000; tries++) {
        i32 x = 100 + rnd(31), y = 104 + rnd(31);
        if (!freecell(x, y)) continue;
        static const u32 types[] = {0, 2, 4, 6, 7, 9};
        int slot = createnpc(types[rnd(6)], x, y, 1 + rnd(3));
        if (!slot) continue;
        npc[slot]->state = NPC_IDLE;
        npcmap[cellof(x, y)] = (u16)slot;
        n--;
    }
}

// Every member of the party brought back to full health before it falls.
void healparty(tally& t) {
    for (int s = 1; s <= PARTYSIZE; s++) {
        npcrec& m = *npc[s];
        if (m.health < t.memberlow[s]) t.memberlow[s] = m.health;
        if (livingmember(s) && m.health < m.healthmax / 4) {
            m.health = m.healthmax;
            t.healed++;
        }
    }
    if (npc[1]->health < t.leaderlow) t.leaderlow = npc[1]->health;
}

void keepthefightgoing(tally& t) {
    strikeback();
    healparty(t);
    for (int s = SLOTSPERPLAYER + 1; s < NPCSLOTS; s++) {
        npcrec& n = *npc[s];
        if (!n.isused) continue;
        if (n.state == NPC_MOVING || n.state == NPC_ATTACKING) t.hunting++;
        if (n.state == NPC_DEAD && rnd(50) == 0) redeploy(s, t);
    }
}

// One frame as the game's, without input, pacing or the end screen's wait:
// the outcome tallied after the view is drawn.
u8 frame() {
    tickcount = tickcount + 1;
    advanceworld();
    computerthinking = 0;
    drawmapview();
    return missionoutcome();
}

bool anydying() {
    for (int s = 1; s <= MAXNPCS; s++)
        if (npc[s]->isused && npc[s]->state == NPC_DYING) return true;
    return false;
}

// The mission started on the demo map with the party it forms.
bool start(const char* name) {
    if (!startmission()) {
        fail(std::string(name) + ": the mission did not start");
        return false;
    }
    int members = 0;
    for (int s = 1; s <= SLOTSPERPLAYER; s++) members += livingmember(s);
    if (members != PARTYSIZE) fail(std::string(name) + ": a party of " + std::to_string(members) + ", not " + std::to_string(PARTYSIZE));
    return true;
}

void endandcount(const char* name, u32 before) {
    endmission();
    std::printf("%s: memory before %u, after %u\n", name, before, memoryused);
    if (memoryused != before)
        fail(std::string(name) + ": the mission kept " + std::to_string((long long)memoryused - (long long)before) + " bytes");
}

std::vector<u8> gamenow() {
    std::vector<u8> b;
    buildsave(&b);
    return b;
}

// F5 half way, F9 `again` frames on. The file is the game as it stood; the
// load puts that back; the same frames played again end the same.
void saveandloadmidway(long again, tally& t) {
    const std::vector<u8> atsave = gamenow();
    const u32 seedatsave = seed;
    const tally tallyatsave = t;
    quicksave();
    std::vector<u8> file;
    if (!plat_readfile(savegamepath(QUICKSAVENAME).c_str(), &file, SAVEMAXBYTES)) fail("F5 wrote no save");
    else if (file != atsave) fail("the save is not the game as it stood");
    if (gamenow() != atsave) fail("saving changed the game");
    for (long f = 0; f < again; f++) {
        frame();
        keepthefightgoing(t);
    }
    const std::vector<u8> later = gamenow();
    if (later == atsave) fail("nothing moved after the save");
    quickload();
    if (gamenow() != atsave) fail("F9 did not put back the game as saved");
    seed = seedatsave;
    t = tallyatsave;
    for (long f = 0; f < again; f++) {
        frame();
        keepthefightgoing(t);
    }
    if (gamenow() != later) fail("the frames after the load ended otherwise than after the save");
    if (!failed) std::printf("saved %u bytes, loaded, and %ld frames played again alike\n", (unsigned)file.size(), again);
}

void longmission(long frames) {
    u32 before = memoryused;
    if (!start("long mission")) return;
    muster(20);
    tally t;
    long savedat = frames / 2, again = frames / 6 < 500 ? frames / 6 : 500;
    for (long f = 1; f <= frames; f++) {
        if (frame() != OUTCOME_NONE) {
            fail("the long mission was decided at frame " + std::to_string(f));
            break;
        }
        keepthefightgoing(t);
        if (f == savedat && again > 0) saveandloadmidway(again, t);
        if (f % 10000 == 0 || f == frames)
            std::printf("frame %ld: leader at %d,%d health %d, hunter-frames %ld, fallen and sent again %ld, memory %u\n",
                        f, npc[1]->x, npc[1]->y, npc[1]->health, t.hunting, t.redeployed, memoryused);
    }
    std::printf("leader's lowest health %d, healed %ld times; the party's lowest", t.leaderlow, t.healed);
    for (int s = 1; s <= PARTYSIZE; s++) std::printf(" %d/%d", t.memberlow[s], npc[s]->healthmax);
    std::printf(", kills");
    for (int s = 1; s <= PARTYSIZE; s++) std::printf(" %u", (unsigned)killcount[s]);
    std::printf("\n");
    endandcount("long mission", before);
    if (t.leaderlow >= npc[1]->healthmax) fail("no hunter ever struck the leader");
    else if (frames >= 3000 && !t.redeployed) fail("no hunter ever fell");
}

// The first computer unit standing, 0 when none is.
int foestanding() {
    for (int s = SLOTSPERPLAYER + 1; s <= MAXNPCS; s++)
        if (standing(*npc[s])) return s;
    return 0;
}

// A mission fought to the outcome wanted: after OUTCOMEFIGHT frames the
// losing side is struck down blow by blow, through the game's own blows.
void outcomemission(u8 wanted) {
    const char* name = wanted == OUTCOME_WON ? "won mission" : "lost mission";
    u32 before = memoryused;
    if (!start(name)) return;
    if (wanted == OUTCOME_LOST) muster(20);
    tally t;
    u8 outcome = OUTCOME_NONE;
    int f = 0, settled = 0;
    for (; f < OUTCOMEFIGHT + OUTCOMEMOST; f++) {
        outcome = frame();
        if (outcome != OUTCOME_NONE && (!anydying() || ++settled >= 24)) break;
        if (wanted == OUTCOME_WON) {
            strikeback();
            healparty(t);
        }
        if (f < OUTCOMEFIGHT || outcome != OUTCOME_NONE) continue;
        for (int s = 1; s <= MAXNPCS; s++) {
            npcrec& n = *npc[s];
            bool loser = wanted == OUTCOME_WON ? s > SLOTSPERPLAYER : livingmember(s);
            if (!loser || !standing(n) || n.health < 1) continue;
            int by = wanted == OUTCOME_WON ? 1 : foestanding();
            hurtnpcby(by, s, n.health, (i32)n.mapoff);
        }
    }
    if (outcome != wanted) fail(std::string(name) + ": the outcome is " + std::to_string(outcome));
    drawendscreen(outcome);
    presentframe();
    std::printf("%s: decided at frame %d, %u of %u enemies slain, %u of the party lost\n", name, f, missionstats.slain,
                (unsigned)missionstats.enemiesatstart, missionstats.losses);
    if (wanted == OUTCOME_LOST && missionstats.losses < PARTYSIZE) fail("lost mission: not the whole party fell");
    endandcount(name, before);
}

} // namespace

int main(int argc, char** argv) {
    platoptions o;
    o.headless = true;
    long frames = 100000;
    std::string userdir;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        if (a == "--data" && i + 1 < argc) o.datadir = argv[++i];
        else if (a == "--frames" && i + 1 < argc) frames = std::strtol(argv[++i], nullptr, 10);
        else if (a == "--user-dir" && i + 1 < argc) userdir = argv[++i];
        else {
            std::fprintf(stderr, "usage: vennor_longrun [--data DIR] [--frames N] [--user-dir DIR]\n");
            return 2;
        }
    }
    std::string err;
    if (frames < 1 || !plat_init(o, &err)) {
        std::fprintf(stderr, "vennor_longrun: %s\n", frames < 1 ? "--frames must be at least 1" : err.c_str());
        return frames < 1 ? 2 : 1;
    }
    bool ownuserdir = userdir.empty();
    if (ownuserdir) {
        const char* tmpdir = std::getenv("TMPDIR");
        std::string tmpl = std::string(tmpdir && *tmpdir ? tmpdir : "/tmp") + "/vennor-longrun-XXXXXX";
        if (!mkdtemp(tmpl.data())) {
            std::fprintf(stderr, "vennor_longrun: cannot make a player's tree in %s\n", tmpl.c_str());
            return 1;
        }
        userdir = tmpl;
    }
    userdir = std::filesystem::absolute(userdir).string();
    plat_settwotrees(plat_options().datadir, userdir);
    if (!plat_usertreeproblem().empty()) {
        std::fprintf(stderr, "vennor_longrun: %s\n", plat_usertreeproblem().c_str());
        return 1;
    }
    if (!opendebuglog() || !initdirectdraw() || !initall()) return 1;
    // The frames move the clock themselves; the game's timer is there for
    // what waits on it (the flash of F5 and F9), as in the game.
    clockid = plat_timesetevent(16, 0, timerproc, 0);
    if (!clockid) {
        std::fprintf(stderr, "vennor_longrun: no timer\n");
        return 1;
    }
    setgamestate(GS_MAINMENU);
    longmission(frames);
    outcomemission(OUTCOME_WON);
    outcomemission(OUTCOME_LOST);
    closedebuglog();
    if (failed) {
        std::printf("the log and the save are in %s\n", userdir.c_str());
        return 1;
    }
    if (ownuserdir) std::filesystem::remove_all(userdir);
    std::printf("ok\n");
    return 0;
}
