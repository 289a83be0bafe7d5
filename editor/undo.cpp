#include "editor/undo.h"

#include <cstring>
#include <vector>

#include "editor/maptools.h"
#include "world/grids.h"
#include "world/itemtype.h"
#include "world/npc.h"

namespace {

struct region {
    u8* at;
    size_t size;
};

struct change {
    u32 offset;
    std::vector<u8> before, after;
};

struct step {
    std::vector<change> changes;
    bool itemtypes = false;  // the item types must be saved again
};

std::vector<u8> base;        // the edited state after the last step
std::vector<step> steps;     // oldest first
size_t position = 0;         // steps[0..position) are done
long savedposition = 0;      // the position saved, -1 when no longer reachable
size_t itemtypesfrom = 0;    // where the item types begin in the state

std::vector<region> regions() {
    std::vector<region> r = {{(u8*)landmap, MAPCELLS * sizeof(u16)},
                             {(u8*)itemmap, MAPCELLS * sizeof(u16)},
                             {(u8*)npcmap, MAPCELLS * sizeof(u16)},
                             {(u8*)&mapdata, sizeof mapdata},
                             {(u8*)players, sizeof players}};
    for (int s = 1; s < NPCSLOTS; s++)
        if (npc[s]) r.push_back({(u8*)npc[s], sizeof(npcrec)});
    size_t at = 0;
    for (const region& g : r) at += g.size;
    itemtypesfrom = at;
    for (int t = 0; t < NUMITEMTYPES; t++)
        if (itemtype[t]) r.push_back({(u8*)itemtype[t], sizeof(itemtyperec)});
    return r;
}

std::vector<u8> gather() {
    std::vector<u8> out;
    for (const region& g : regions()) out.insert(out.end(), g.at, g.at + g.size);
    return out;
}

void scatter(const std::vector<u8>& from) {
    size_t at = 0;
    for (const region& g : regions()) {
        if (at + g.size > from.size()) return;
        std::memcpy(g.at, from.data() + at, g.size);
        at += g.size;
    }
}

// Runs of differing bytes, found a block at a time; runs closer than a block
// are one change.
constexpr size_t BLOCK = 64;

step difference(const std::vector<u8>& was, const std::vector<u8>& now) {
    step s;
    size_t n = was.size() < now.size() ? was.size() : now.size();
    for (size_t i = 0; i < n; i += BLOCK) {
        size_t len = n - i < BLOCK ? n - i : BLOCK;
        if (!std::memcmp(was.data() + i, now.data() + i, len)) continue;
        if (!s.changes.empty()) {
            change& last = s.changes.back();
            if (last.offset + last.before.size() == i) {
                last.before.insert(last.before.end(), was.begin() + (long)i, was.begin() + (long)(i + len));
                last.after.insert(last.after.end(), now.begin() + (long)i, now.begin() + (long)(i + len));
                continue;
            }
        }
        s.changes.push_back({(u32)i, {was.begin() + (long)i, was.begin() + (long)(i + len)},
                             {now.begin() + (long)i, now.begin() + (long)(i + len)}});
    }
    for (const change& c : s.changes)
        if (c.offset + c.before.size() > itemtypesfrom) s.itemtypes = true;
    return s;
}

void apply(const step& s, bool forward) {
    for (const change& c : s.changes) {
        const std::vector<u8>& bytes = forward ? c.after : c.before;
        if (c.offset + bytes.size() <= base.size()) std::memcpy(base.data() + c.offset, bytes.data(), bytes.size());
    }
    scatter(base);
    if (s.itemtypes) itemtypesedited = true;
}

}  // namespace

void undoreset() {
    steps.clear();
    position = 0;
    savedposition = 0;
    base = gather();
}

void undosaved() {
    undocommit();
    savedposition = (long)position;
}

void undorebase() {
    std::vector<u8> now = gather();
    // A different shape (types made or dropped) cannot be stepped through.
    if (now.size() != base.size()) {
        steps.clear();
        position = 0;
        savedposition = -1;
    }
    base = std::move(now);
}

void undocommit() {
    std::vector<u8> now = gather();
    if (now.size() != base.size()) return undorebase();
    step s = difference(base, now);
    if (s.changes.empty()) return;
    steps.resize(position);
    if (savedposition > (long)position) savedposition = -1;
    steps.push_back(std::move(s));
    if (steps.size() > (size_t)UNDOSTEPS) {
        steps.erase(steps.begin());
        savedposition = savedposition > 0 ? savedposition - 1 : -1;
    }
    position = steps.size();
    base = std::move(now);
}

bool canundo() { return position > 0; }
bool canredo() { return position < steps.size(); }
int undocount() { return (int)position; }

bool undostep() {
    undocommit();
    if (!canundo()) return false;
    apply(steps[--position], false);
    return true;
}

bool redostep() {
    undocommit();
    if (!canredo()) return false;
    apply(steps[position++], true);
    return true;
}

bool mapunsaved() {
    if ((long)position != savedposition) return true;
    std::vector<u8> now = gather();
    return now.size() != base.size() || std::memcmp(now.data(), base.data(), now.size()) != 0;
}
