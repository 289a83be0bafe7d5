// vennor_longrun: a long headless mission on the demo map with the hunters
// kept at work, to find what only shows after many frames: crashes, reads
// and writes out of bounds (run the sanitized build), and memory the
// mission does not give back.
//   build/vennor_longrun [--data DIR] [--frames N]
// Every frame advances the clock one tick, steps the world and draws the
// view. The party is kept alive and fallen hunters are sent in again near
// the leader, twenty more computer units join the demo map's, and the leader
// strikes back at whoever stands beside him, so the fight never ends. Exits 1 when the game's memory count
// differs after the mission from before it, or when no hunter ever struck
// (or, in runs of 3000 frames or more, none ever fell).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/debuglog.h"
#include "app/gamestate.h"
#include "app/memory.h"
#include "app/startup.h"
#include "app/timer.h"
#include "game/facing.h"
#include "game/mission.h"
#include "game/missionstate.h"
#include "platform/platform.h"
#include "video/display.h"
#include "view/mapview.h"
#include "world/cells.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace {

struct tally {
    long hunting = 0;   // hunter-frames spent moving or attacking
    long redeployed = 0;
    long healed = 0;
    int leaderlow = 1 << 30;
};

u32 seed = 2024;
i32 rnd(i32 n) {
    seed = seed * 1103515245u + 12345u;
    return (i32)((seed >> 16) % (u32)n);
}

bool freecell(i32 x, i32 y) {
    u16 it = itemat(x, y);
    return onmap(x, y) && !npcat(x, y) && !(it && itemtype[it] && itemtype[it]->blockspassage);
}

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
        if (!e || npc[e]->player == 0 || npc[e]->state == NPC_DEAD || npc[e]->state == NPC_DYING) continue;
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

void keepthefightgoing(tally& t) {
    npcrec& leader = *npc[1];
    strikeback();
    if (leader.health < t.leaderlow) t.leaderlow = leader.health;
    if (leader.state != NPC_DYING && leader.state != NPC_DEAD && leader.health < leader.healthmax / 4) {
        leader.health = leader.healthmax;
        t.healed++;
    }
    for (int s = 33; s < NPCSLOTS; s++) {
        npcrec& n = *npc[s];
        if (!n.isused) continue;
        if (n.state == NPC_MOVING || n.state == NPC_ATTACKING) t.hunting++;
        if (n.state == NPC_DEAD && rnd(50) == 0) redeploy(s, t);
    }
}

} // namespace

int main(int argc, char** argv) {
    platoptions o;
    o.headless = true;
    long frames = 100000;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        if (a == "--data" && i + 1 < argc) o.datadir = argv[++i];
        else if (a == "--frames" && i + 1 < argc) frames = std::strtol(argv[++i], nullptr, 10);
        else {
            std::fprintf(stderr, "usage: vennor_longrun [--data DIR] [--frames N]\n");
            return 2;
        }
    }
    std::string err;
    if (frames < 1 || !plat_init(o, &err)) {
        std::fprintf(stderr, "vennor_longrun: %s\n", frames < 1 ? "--frames must be at least 1" : err.c_str());
        return frames < 1 ? 2 : 1;
    }
    if (!opendebuglog() || !initdirectdraw() || !initall()) return 1;
    setgamestate(GS_MAINMENU);
    u32 before = memoryused;
    startmission();
    muster(20);
    tally t;
    for (long f = 1; f <= frames; f++) {
        tickcount = tickcount + 1;
        advanceworld();
        computerthinking = 0;
        drawmapview();
        keepthefightgoing(t);
        if (f % 10000 == 0 || f == frames)
            std::printf("frame %ld: leader at %d,%d health %d, hunter-frames %ld, fallen and sent again %ld, memory %u\n",
                        f, npc[1]->x, npc[1]->y, npc[1]->health, t.hunting, t.redeployed, memoryused);
    }
    endmission();
    std::printf("leader's lowest health %d, healed %ld times; memory before %u, after %u\n", t.leaderlow, t.healed,
                before, memoryused);
    if (memoryused != before) {
        std::printf("FAILED: the mission kept %lld bytes\n", (long long)memoryused - (long long)before);
        return 1;
    }
    if (t.leaderlow >= npc[1]->healthmax || (frames >= 3000 && !t.redeployed)) {
        std::printf("FAILED: %s\n", t.redeployed ? "no hunter ever struck the leader" : "no hunter ever fell");
        return 1;
    }
    std::printf("ok\n");
    return 0;
}
