#include "pathreference.h"

#include <cstring>

#include "app/timer.h"
#include "game/missionstate.h"
#include "game/pathfind.h"
#include "game/sight.h"
#include "view/light.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"
#include "world/unittype.h"

namespace {

struct node {
    i32 f, h, g, reserved, x, y, num;
    node* parent;
    node* child[8];
    node* next;
};

struct stackentry {
    node* n;
    stackentry* next;
};

node openhead, closedhead;
stackentry* stacktop;
i32 created;
i32 work;
bool computerrun;
bool outofwork() { return computerrun && work > COMPUTERSEARCHWORK; }
i32 tx, ty;

const i32 dirx[10] = {0, 0, 1, 1, 1, 0, -1, -1, -1, 0};
const i32 diry[10] = {0, -1, -1, 0, 1, 1, 1, 0, -1, 0};

i32 heur(i32 x, i32 y) {
    i32 dx = x - tx < 0 ? tx - x : x - tx, dy = y - ty < 0 ? ty - y : y - ty;
    i32 big = dx > dy ? dx : dy, small = dx > dy ? dy : dx;
    return 4 * big + 2 * small;
}

node* find(node* head, i32 num) {
    for (node* n = head->next; n; n = n->next)
        if (n->num == num) return n;
    return nullptr;
}

void insertopen(node* n) {
    node* at = &openhead;
    while (at->next && at->next->f <= n->f) at = at->next;
    n->next = at->next;
    at->next = n;
}

void addchild(node* n, node* k) {
    for (node*& c : n->child)
        if (!c) {
            c = k;
            return;
        }
}

void push(node* n) { stacktop = new stackentry{n, stacktop}; }
node* pop() {
    stackentry* e = stacktop;
    stacktop = e->next;
    node* n = e->n;
    delete e;
    return n;
}

void improvechildren(node* n) {
    for (node* k : n->child) {
        if (!k) break;
        work++;
        i32 cost = (k->x != n->x && k->y != n->y) ? 6 : 4;
        if (n->g + cost < k->g) {
            k->g = n->g + cost;
            k->f = k->h + k->g;
            k->parent = n;
            push(k);
        }
    }
}

void propagatefrom(node* n) {
    improvechildren(n);
    while (stacktop) {
        if (outofwork()) {
            while (stacktop) pop();
            return;
        }
        improvechildren(pop());
    }
}

bool blocks(i32 x, i32 y) {
    if (x < 0 || x > 255 || y < 0 || y > 255) return false;
    u16 it = itemmap[y * 256 + x];
    return it && itemtype[it]->blockspassage;
}

u32 passof(i32 x, i32 y) {
    u32 p = itemtype[itemmap[y * 256 + x]]->passcost;
    return p > 0xFFFFF ? 0xFFFFF : p;
}

bool thief() {
    const npcrec* me = npc[curnpc];
    return unittype[me->unitno]->unitclass == CLASS_THIEF && me->brightness == 0;
}

void add(node* n, i32 x, i32 y, i32 k, bool thiefterm) {
    work++;
    if (thiefterm && thief() && lightmap[y * 256 + x] > 12) {
        k += (12 - lightmap[y * 256 + x]) * 8;
        if (k < SHADOWSTEPCOST) k = SHADOWSTEPCOST;
    }
    i32 g = n->g + k, num = y * 256 + x;
    if (node* o = find(&openhead, num)) {
        addchild(n, o);
        if (g < o->g) {
            o->parent = n;
            o->g = g;
            o->f = o->h + g;
        }
        return;
    }
    if (node* c = find(&closedhead, num)) {
        addchild(n, c);
        if (g < c->g) {
            c->parent = n;
            c->g = g;
            c->f = c->h + g;
            referenceclosedimprovements++;
            propagatefrom(c);
        }
        return;
    }
    node* s = new node{};
    created++;
    s->parent = n;
    s->g = g;
    s->h = heur(x, y);
    s->f = g + s->h;
    s->x = x;
    s->y = y;
    s->num = num;
    insertopen(s);
    addchild(n, s);
}

void successors(node* n, bool comp) {
    const i32 order[8][2] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (auto& o : order) {
        i32 x = n->x + o[0], y = n->y + o[1];
        if (x < 0 || x > 255 || y < 0 || y > 255) continue;
        if (blocks(x, y)) {
            if (comp && passof(x, y)) add(n, x, y, (i32)passof(x, y) * 8, true);
            continue;
        }
        u16 who = npcmap[y * 256 + x];
        if (who && who != curnpc && !(npc[who]->hidden == 1 && npc[who]->player != 0)) continue;
        if (o[0] == 0 || o[1] == 0) {
            add(n, x, y, 4, comp);
            continue;
        }
        i32 cx = -1, cy = -1;
        if (blocks(n->x, y)) cx = n->x, cy = y;
        else if (blocks(x, n->y)) cx = x, cy = n->y;
        if (cx < 0) add(n, x, y, 6, comp);
        else if (passof(cx, cy)) add(n, x, y, (i32)passof(cx, cy) * 8, true);
    }
}

bool closeenough(node* n) {
    const unittyperec* t = unittype[npc[curnpc]->unitno];
    i32 d = celldistance(n->x, n->y, goalx, goaly);
    if (d < t->rangemin || d > t->rangemax) return false;
    if (t->unitclass != CLASS_ARCHER && t->unitclass != CLASS_MAGE) return true;
    return lineofsight((u32)n->num, (u32)(goaly * 256 + goalx));
}

node* run(i32 x0, i32 y0, bool comp) {
    node* start = new node{};
    created++;
    start->x = x0;
    start->y = y0;
    start->num = y0 * 256 + x0;
    start->h = start->f = heur(x0, y0);
    openhead.next = start;
    u32 noted = tickcount;
    for (;;) {
        node* n = openhead.next;
        if (!n) return nullptr;
        openhead.next = n->next;
        n->next = closedhead.next;
        closedhead.next = n;
        if (comp && (tickcount > noted + 2 || outofwork())) return nullptr;
        if (n->num == ty * 256 + tx) return n;
        if (stopinrange == 1 && closeenough(n)) return n;
        successors(n, comp);
    }
}

void freeall() {
    for (node* head : {&openhead, &closedhead}) {
        node* n = head->next;
        while (n) {
            node* next = n->next;
            delete n;
            n = next;
        }
        head->next = nullptr;
    }
}

} // namespace

i32 referenceclosedimprovements = 0;

referenceresult referencefindpath(i32 x0, i32 y0, i32 x1, i32 y1) {
    referenceresult r{};
    std::memset(r.pathbuf, 9, sizeof r.pathbuf);
    created = 0;
    work = 0;
    computerrun = computerthinking != 0;
    tx = x1;
    ty = y1;
    if (celldistance(x0, y0, x1, y1) != 1) {
        bool all = true;
        for (int c = 1; c <= 8; c++) {
            i32 x = x1 + dirx[c], y = y1 + diry[c];
            if (x < 0 || x > 255 || y < 0 || y > 255 || !npcmap[y * 256 + x]) all = false;
        }
        if (all) return r;
    }
    node* goal = run(x0, y0, computerthinking != 0);
    if (goal) {
        r.pathcost = goal->g;
        i32 xs[1024], ys[1024], count = 0;
        bool ok = true;
        for (node* n = goal;; n = n->parent) {
            if (count == 1024) {
                ok = false;
                break;
            }
            for (int i = 0; i < count; i++)
                if (xs[i] == n->x && ys[i] == n->y) ok = false;
            if (!ok) break;
            xs[count] = n->x;
            ys[count] = n->y;
            count++;
            if (n->num == y0 * 256 + x0 || !n->parent) break;
        }
        if (ok) {
            int steps = 0;
            for (int i = count - 1; i > 0 && steps < 63; i--)
                for (int c = 1; c <= 8; c++)
                    if (xs[i - 1] - xs[i] == dirx[c] && ys[i - 1] - ys[i] == diry[c]) r.pathbuf[steps++] = (u8)c;
            r.found = true;
        }
    }
    r.nodes = created;
    freeall();
    return r;
}
