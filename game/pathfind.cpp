#include "game/pathfind.h"

#include <cstring>
#include <vector>

#include "app/memory.h"
#include "app/timer.h"
#include "game/facing.h"
#include "game/missionstate.h"
#include "game/sight.h"
#include "view/light.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"
#include "world/cells.h"

i32 goalx = 0, goaly = 0;
u32 goaloff = 0;
u8 stopinrange = 0;
u8 stopadjacent = 0;
u8 pathbuf[PATHBUFSIZE];
i32 pathcost = 0;
i32 pathnodes = 0;
void (*pathsearchwatch)() = nullptr;

// Bytes the classic search held per node and per stack entry; counted in
// memoryused while a search runs, as the game always has.
constexpr u32 NODEBYTES = 68, STACKBYTES = 8;
constexpr i32 NONE = -1;

struct pathnode {
    i32 h, g;
    i32 x, y, num;
    i32 parent;
    i32 child[8];
    u8 children;
    u8 open;
};

// OPEN's order: a treap by position, each subtree knowing its largest f.
// Kept apart from the rest of a node so that its walks stay in few cache
// lines.
struct ordernode {
    i32 f, maxf;
    i32 left, right, up;
    u32 priority;
};

static pathnode nodes[MAPCELLS];
static ordernode order[MAPCELLS];
static i32 nodecount;
// A cell's node, valid where the stamp is this search's; side by side so
// that a look-up touches one cache line.
struct cellmark {
    u32 stamp;
    i32 node;
};
static cellmark cellmarks[MAPCELLS];
static u32 stamp;
static i32 root;
static i32 first, last; // OPEN's ends in its order, so pops and appends need no walk
static u32 treapseed;
static std::vector<i32> stack;
static i32 work; // successors reached and children relaxed in this search

i32 celldistance(i32 x0, i32 y0, i32 x1, i32 y1) {
    i16 dx = (i16)(x1 - x0 + 24), dy = (i16)(y1 - y0 + 24);
    if (dx < 0 || dx > 47 || dy < 0 || dy > 47) return 35;
    return distancetable[dy * 48 + dx];
}

void resetpathfinder() {
    goalx = goaly = 0;
    goaloff = 0;
    stopinrange = 0;
    std::memset(pathbuf, PATHEND, sizeof pathbuf);
}

// ---- OPEN ------------------------------------------------------------------

static i32 maxof(i32 t) { return t == NONE ? INT32_MIN : order[t].maxf; }

static inline __attribute__((always_inline)) void refresh(i32 t) {
    i32 m = order[t].f, l = maxof(order[t].left), r = maxof(order[t].right);
    order[t].maxf = m > l ? (m > r ? m : r) : (l > r ? l : r);
}

// Walks up while the largest f changes: above a node whose largest f stayed
// the same nothing can have changed.
static void refreshup(i32 t) {
    for (; t != NONE; t = order[t].up) {
        i32 was = order[t].maxf;
        refresh(t);
        if (order[t].maxf == was) return;
    }
}

static void relink(i32 parent, i32 from, i32 to) {
    if (parent == NONE) root = to;
    else if (order[parent].left == from) order[parent].left = to;
    else order[parent].right = to;
    if (to != NONE) order[to].up = parent;
}

// Lifts t above its parent, keeping the in-order sequence.
static void rotateup(i32 t) {
    i32 p = order[t].up, g = order[p].up;
    if (order[p].left == t) {
        order[p].left = order[t].right;
        if (order[t].right != NONE) order[order[t].right].up = p;
        order[t].right = p;
    } else {
        order[p].right = order[t].left;
        if (order[t].left != NONE) order[order[t].left].up = p;
        order[t].left = p;
    }
    order[p].up = t;
    relink(g, p, t);
    refresh(p);
    refresh(t);
}

// The first node in OPEN's order whose f is greater than v.
static i32 firstgreater(i32 v) {
    i32 t = root;
    while (t != NONE) {
        if (maxof(order[t].left) > v) t = order[t].left;
        else if (order[t].f > v) return t;
        else if (maxof(order[t].right) > v) t = order[t].right;
        else return NONE;
    }
    return NONE;
}

static void openinsert(i32 n) {
    ordernode& k = order[n];
    k.left = k.right = k.up = NONE;
    k.maxf = k.f;
    treapseed ^= treapseed << 13, treapseed ^= treapseed >> 17, treapseed ^= treapseed << 5;
    k.priority = treapseed;
    nodes[n].open = 1;
    if (root == NONE) {
        root = first = last = n;
        return;
    }
    // Before the first greater node: as the right-most of its left subtree,
    // or its left child; after everything when there is none. Rotations keep
    // the sequence, so only the new node can become an end.
    i32 before = firstgreater(k.f), at;
    if (before == first) first = n;
    if (before == NONE) {
        at = last;
        order[at].right = n;
        last = n;
    } else if (order[before].left == NONE) {
        at = before;
        order[at].left = n;
    } else {
        for (at = order[before].left; order[at].right != NONE; at = order[at].right) {}
        order[at].right = n;
    }
    k.up = at;
    refreshup(at);
    while (k.up != NONE && order[k.up].priority < k.priority) rotateup(n);
}

// The first node has no left child, and every node above it holds it on its
// left: what follows it is the left-most of its right subtree, or its parent.
static i32 openpopfirst() {
    i32 t = first;
    if (t == NONE) return NONE;
    i32 parent = order[t].up, right = order[t].right;
    relink(parent, t, right);
    refreshup(parent);
    if (right == NONE) first = parent;
    else
        for (first = right; order[first].left != NONE; first = order[first].left) {}
    if (t == last) last = NONE;
    nodes[t].open = 0;
    return t;
}

static void setg(i32 k, i32 g, i32 parent) {
    nodes[k].g = g;
    order[k].f = nodes[k].h + g;
    nodes[k].parent = parent;
    if (nodes[k].open) refreshup(k);
}

// ---- the search --------------------------------------------------------------

static i32 endx, endy, endnum; // the cell searched for
static i32 startx, starty, startnum;
static bool computer;   // the time-limited variant with passage costs
static bool outofwork() { return computer && work > COMPUTERSEARCHWORK; }
static bool darkthief;  // a thief without light: shadow is cheap
static u16 searcher;    // curnpc: not an obstacle to itself
static const unittyperec* searchertype;

static i32 heuristic(i32 x, i32 y) {
    i32 dx = x > endx ? x - endx : endx - x, dy = y > endy ? y - endy : endy - y;
    return dx > dy ? 4 * dx + 2 * dy : 4 * dy + 2 * dx;
}

static i32 newnode(i32 x, i32 y, i32 g, i32 parent) {
    i32 n = nodecount++;
    pathnode& k = nodes[n];
    k.children = 0;
    k.open = 0;
    k.x = x;
    k.y = y;
    k.num = cellof(x, y);
    k.g = g;
    k.h = heuristic(x, y);
    order[n].f = k.g + k.h;
    k.parent = parent;
    cellmarks[k.num] = {stamp, n};
    memoryused += NODEBYTES;
    return n;
}

static void addchild(i32 n, i32 k) {
    if (nodes[n].children < 8) nodes[n].child[nodes[n].children++] = k;
}

static void relax(i32 n, i32 k) {
    work++;
    const pathnode& a = nodes[n];
    i32 cost = a.x != nodes[k].x && a.y != nodes[k].y ? 6 : 4;
    if (a.g + cost >= nodes[k].g) return;
    setg(k, a.g + cost, n);
    stack.push_back(k);
    memoryused += STACKBYTES;
}

// A closed node reached more cheaply hands the gain down to the children it
// recorded, at the flat step costs, depth first.
static void propagate(i32 n) {
    for (int c = 0; c < nodes[n].children; c++) relax(n, nodes[n].child[c]);
    while (!stack.empty()) {
        if (outofwork()) { // the search ends at its next node anyway
            memoryused -= STACKBYTES * (u32)stack.size();
            stack.clear();
            return;
        }
        i32 p = stack.back();
        stack.pop_back();
        memoryused -= STACKBYTES;
        for (int c = 0; c < nodes[p].children; c++) relax(p, nodes[p].child[c]);
    }
}

// Shadow makes a dark thief's step cheap, never free nor a gain: steps that
// cost less than nothing send the search round ever cheaper loops and it
// never ends. Nor does light make his steps dearer than anyone's: his
// quarry carries a light, and were every lit cell dear the search would
// comb the whole dark map before it stepped into the quarry's light.
static i32 thiefcost(i32 cost, i32 x, i32 y) {
    i32 shade = (12 - lightmap[cellof(x, y)]) * 8;
    if (shade >= 0) return cost;
    return cost + shade < SHADOWSTEPCOST ? SHADOWSTEPCOST : cost + shade;
}

static void addsuccessor(i32 n, i32 x, i32 y, i32 cost, bool costly) {
    work++;
    if ((computer || costly) && darkthief) cost = thiefcost(cost, x, y);
    i32 g = nodes[n].g + cost, num = cellof(x, y);
    if (cellmarks[num].stamp == stamp) {
        i32 k = cellmarks[num].node;
        addchild(n, k);
        if (g < nodes[k].g) {
            setg(k, g, n);
            if (!nodes[k].open) propagate(k);
        }
        return;
    }
    i32 k = newnode(x, y, g, n);
    openinsert(k);
    addchild(n, k);
}

static const itemtyperec* blockerat(i32 x, i32 y) {
    u16 it = itemat(x, y);
    const itemtyperec* t = it ? itemtype[it] : nullptr;
    return t && t->blockspassage ? t : nullptr;
}

// A passage cost in the search's units; huge costs from a damaged file
// must not overflow g.
static i32 passagecost(const itemtyperec* t) { return t->passcost > 0xFFFFF ? 0xFFFFF * 8 : (i32)t->passcost * 8; }

static bool unitinway(i32 x, i32 y) {
    u16 o = npcmap[cellof(x, y)];
    if (!o || o == searcher || o >= NPCSLOTS || !npc[o]) return false;
    return !(npc[o]->hidden == 1 && npc[o]->player != 0);
}

static void successor(i32 n, i32 dx, i32 dy) {
    i32 x = nodes[n].x + dx, y = nodes[n].y + dy;
    if (!onmap(x, y)) return;
    if (const itemtyperec* b = blockerat(x, y)) {
        if (computer && b->passcost) addsuccessor(n, x, y, passagecost(b), false);
        return;
    }
    if (unitinway(x, y)) return;
    if (dx == 0 || dy == 0) return addsuccessor(n, x, y, 4, false);
    const itemtyperec* corner = blockerat(nodes[n].x, y);
    if (!corner) corner = blockerat(x, nodes[n].y);
    if (!corner) return addsuccessor(n, x, y, 6, false);
    if (corner->passcost) addsuccessor(n, x, y, passagecost(corner), true);
}

static bool inrange(const pathnode& k) {
    i32 d = celldistance(k.x, k.y, goalx, goaly);
    if (stopadjacent) return d <= 1;
    if (!searchertype) return false;
    if (d < searchertype->rangemin || d > searchertype->rangemax) return false;
    u32 cls = searchertype->unitclass;
    if (cls != CLASS_ARCHER && cls != CLASS_MAGE) return true;
    return onmap(goalx, goaly) && lineofsight((u32)k.num, (u32)cellof(goalx, goaly));
}

static i32 search() {
    static const i8 ways[8][2] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    i32 start = newnode(startx, starty, 0, NONE);
    openinsert(start);
    u32 noted = tickcount;
    for (;;) {
        i32 n = openpopfirst();
        if (n == NONE) return NONE;
        if (pathsearchwatch) pathsearchwatch();
        if (computer && (tickcount > noted + 2 || outofwork())) return NONE;
        if (nodes[n].num == endnum) return n;
        if (stopinrange == 1 && inrange(nodes[n])) return n;
        for (auto& o : ways) successor(n, o[0], o[1]);
    }
}

static void beginsearch(i32 x0, i32 y0, i32 x1, i32 y1) {
    nodecount = 0;
    work = 0;
    root = first = last = NONE;
    treapseed = 2463534242u;
    stack.clear();
    if (++stamp == 0) { // the stamps wrapped: forget every cell
        for (cellmark& c : cellmarks) c.stamp = 0;
        stamp = 1;
    }
    endx = x1, endy = y1, endnum = cellof(x1, y1);
    startx = x0, starty = y0, startnum = cellof(x0, y0);
    computer = computerthinking != 0;
    searcher = curnpc > 0 && curnpc < NPCSLOTS ? (u16)curnpc : 0;
    const npcrec* me = searcher ? npc[searcher] : nullptr;
    searchertype = me && me->unitno < NUMUNITTYPES ? unittype[me->unitno] : nullptr;
    darkthief = searchertype && searchertype->unitclass == CLASS_THIEF && me->brightness == 0;
}

static void endsearch() {
    memoryused -= NODEBYTES * (u32)nodecount;
    memoryused -= STACKBYTES * (u32)stack.size();
    stack.clear();
    pathnodes = nodecount;
}

// Follows the parents back to the start and writes the steps forward. A
// chain longer than 1024 cells, or one that meets a cell twice (a guard:
// with every step costing at least 1 a parent is always cheaper than its
// child), is no path.
static bool writepath(i32 goal) {
    static i32 cells[1024];
    static u32 seen[MAPCELLS], seenstamp;
    if (++seenstamp == 0) {
        std::memset(seen, 0, sizeof seen);
        seenstamp = 1;
    }
    int count = 0;
    for (i32 t = goal;; t = nodes[t].parent) {
        if (count == 1024 || seen[nodes[t].num] == seenstamp) return false;
        seen[nodes[t].num] = seenstamp;
        cells[count++] = nodes[t].num;
        if (nodes[t].num == startnum || nodes[t].parent == NONE) break;
    }
    int steps = 0;
    for (int i = count - 1; i > 0 && steps < MAXPATHSTEPS; i--)
        pathbuf[steps++] = facingofstep(cells[i - 1] % MAPSIZE - cells[i] % MAPSIZE, cells[i - 1] / MAPSIZE - cells[i] / MAPSIZE);
    return true;
}

static bool goalsurrounded(i32 x1, i32 y1) {
    for (int code = 1; code <= 8; code++)
        if (!npcat(x1 + facingdx[code], y1 + facingdy[code])) return false;
    return true;
}

bool findpath(i32 x0, i32 y0, i32 x1, i32 y1) {
    std::memset(pathbuf, PATHEND, sizeof pathbuf);
    nodecount = 0;
    pathnodes = 0;
    if (celldistance(x0, y0, x1, y1) != 1 && goalsurrounded(x1, y1)) return false;
    if (!onmap(x0, y0)) return false;
    beginsearch(x0, y0, x1, y1);
    i32 goal = search();
    bool ok = goal != NONE;
    if (ok) {
        pathcost = nodes[goal].g;
        ok = writepath(goal);
        if (!ok) std::memset(pathbuf, PATHEND, sizeof pathbuf);
    }
    endsearch();
    return ok;
}
