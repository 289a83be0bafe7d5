#pragma once
// The demo map, maps/map0.dat with its npc and header files: a walled keep
// round the leader's start, a village road, woods, a ruined chapel and an
// enemy camp, closed all round by a border wall.
#include <string>
#include <vector>

#include "tools/content/gen.h"
#include "platform/types.h"

struct demomap {
    std::vector<u16> land, item; // 65536 each, mapoff order
    std::vector<u8> npcs;        // 129 records of 156 bytes
    u8 header[128];
};

// Unit type maxima the map's units start with, read from the units folder.
struct unitmaxima {
    i16 health, fatigue, magic;
};

void builddemomap(demomap& m, const unitmaxima* types);
// The items the map keeps out of doorways and gaps: those whose passage
// has a cost (the item types say which; the tests hold the two together).
bool costspassage(u16 item);
bool gen_demomap(const GenContext& ctx, std::string& why);
// The unit types' maxima as the units step wrote them.
bool readunitmaxima(const GenContext& ctx, unitmaxima* types, std::string& why);
// maps/NAME.dat with its .npc and .map companions.
bool writemapset(const GenContext& ctx, const std::string& name, const demomap& m, std::string& why);
