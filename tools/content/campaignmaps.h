#pragma once
// The campaign's second and third missions: a road through the forest
// (maps/forest.dat) and a crypt under the hills (maps/crypt.dat), each with
// a party start, enemies of every class, chests, gold and lights.
#include <string>

#include "tools/content/demomap.h"
#include "tools/content/gen.h"

void buildforestmap(demomap& m, const unitmaxima* types);
void buildcryptmap(demomap& m, const unitmaxima* types);
// The leader's start of each, for the tests: x, y.
constexpr int FORESTSTART[2] = {66, 130}; // on the road
constexpr int CRYPTSTART[2] = {104, 152};
bool gen_campaignmaps(const GenContext& ctx, std::string& why);
