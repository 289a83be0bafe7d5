#pragma once
// The item steps, each filling its own range of the catalogue.
#include <string>

#include "tools/content/itembuild.h"

bool make_wall_items(ItemSet& set, std::string& why);
bool make_opening_items(ItemSet& set, std::string& why);
bool make_light_items(ItemSet& set, std::string& why);
bool make_obstacle_items(ItemSet& set, std::string& why);
bool make_furniture_items(ItemSet& set, std::string& why);
bool make_treasure_items(ItemSet& set, std::string& why);
bool make_large_items(ItemSet& set, std::string& why);
bool make_remains_items(ItemSet& set, std::string& why);
bool make_spell_light_items(ItemSet& set, std::string& why);

// Stone and timber colours the steps share, so that a gate matches its wall.
constexpr Rgb kStone = {150, 146, 136};
constexpr Rgb kMortar = {92, 88, 82};
constexpr Rgb kWood = {128, 88, 52};
constexpr Rgb kWoodDark = {84, 56, 34};
constexpr Rgb kIron = {70, 72, 78};

// A block that is either along map x as given or, when swap is set, the
// same block mirrored onto map y.
void oriented_box(Canvas& c, const Iso& iso, bool swap, float u0, float v0, float u1, float v1, float h0,
                  float h1, Faces f, float grain = 0.08f, u32 seed = 1);
