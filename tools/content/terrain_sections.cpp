#include "tools/content/terrain_sections.h"

#include <iterator>

namespace {

constexpr LandCol kPlain{1.0f, 1.0f, 1.0f};
constexpr LandCol kDark{0.78f, 0.78f, 0.8f};
constexpr LandCol kLight{1.14f, 1.12f, 1.1f};
constexpr LandCol kWarm{1.1f, 1.0f, 0.86f};
constexpr LandCol kCool{0.9f, 0.98f, 1.1f};

// The first grounds are the common ones a map is mostly made of; later
// sections are shades of them for variety. Section 0 also holds the three
// special tiles and section 79 the neutral floor, so both are plain ground.
constexpr GroundSection kTable[] = {
    {ground_grass, 1, kPlain},        {ground_grass, 2, kLight},
    {ground_grass, 3, kDark},         {ground_grass, 4, {0.92f, 1.0f, 1.08f}},
    {ground_grass, 5, {1.12f, 1.06f, 0.8f}}, {ground_meadow, 6, kPlain},
    {ground_meadow, 7, kPlain},       {ground_meadow, 8, kPlain},
    {ground_dry_grass, 9, kPlain},    {ground_dry_grass, 10, kDark},
    {ground_dirt, 11, kPlain},        {ground_dirt, 12, {1.1f, 0.9f, 0.82f}},
    {ground_dirt, 13, {0.92f, 0.94f, 1.0f}}, {ground_mud, 14, kPlain},
    {ground_mud, 15, kDark},          {ground_path, 16, kPlain},
    {ground_path, 17, kLight},        {ground_cobbles, 18, kPlain},
    {ground_cobbles, 19, kWarm},      {ground_cobbles, 20, {0.86f, 0.96f, 0.84f}},
    {ground_flagstones, 21, {1.04f, 1.0f, 0.94f}}, {ground_flagstones, 22, {1.2f, 1.08f, 0.84f}},
    {ground_flagstones, 23, kDark},   {ground_boards, 24, kPlain},
    {ground_boards, 25, {1.18f, 1.12f, 1.0f}}, {ground_boards, 26, {0.7f, 0.66f, 0.64f}},
    {ground_sand, 27, kPlain},        {ground_sand, 28, {1.02f, 0.9f, 0.8f}},
    {ground_snow, 29, kPlain},        {ground_ice, 30, kPlain},
    {ground_shallow, 31, kPlain},     {ground_shallow, 32, {0.9f, 1.04f, 0.86f}},
    {ground_deep, 33, kPlain},        {ground_deep, 34, kDark},
    {ground_gravel, 35, kPlain},      {ground_gravel, 36, kWarm},
    {ground_rock, 37, kPlain},        {ground_rock, 38, kDark},
    {ground_forest, 39, kPlain},      {ground_forest, 40, {1.12f, 1.0f, 0.8f}},
    {ground_swamp, 41, kPlain},       {ground_swamp, 42, kDark},
    {ground_lava, 43, kPlain},        {ground_flagstones, 44, {0.46f, 0.48f, 0.56f}},
    {ground_flagstones, 45, {0.5f, 0.56f, 0.72f}}, {ground_flagstones, 46, {0.6f, 0.5f, 0.66f}},
    {ground_carpet, 47, kPlain},      {ground_carpet, 48, {0.36f, 0.6f, 2.6f}},
    {ground_carpet, 49, {0.4f, 1.5f, 0.8f}}, {ground_moss, 50, kPlain},
    {ground_tiles, 51, kPlain},       {ground_tiles, 52, kWarm},
    {ground_grass, 53, kCool},        {ground_grass, 54, {0.86f, 0.86f, 0.9f}},
    {ground_meadow, 55, kLight},      {ground_dry_grass, 56, kLight},
    {ground_dirt, 57, kDark},         {ground_mud, 58, kWarm},
    {ground_path, 59, kDark},         {ground_cobbles, 60, kDark},
    {ground_boards, 61, kWarm},       {ground_sand, 62, kLight},
    {ground_snow, 63, {0.88f, 0.9f, 0.96f}}, {ground_shallow, 64, kCool},
    {ground_deep, 65, {0.8f, 1.0f, 0.9f}}, {ground_gravel, 66, kDark},
    {ground_rock, 67, kWarm},         {ground_forest, 68, kDark},
    {ground_swamp, 69, kWarm},        {ground_lava, 70, kDark},
    {ground_moss, 71, kDark},         {ground_ice, 72, kCool},
    {ground_tiles, 73, kCool},        {ground_carpet, 74, {0.8f, 0.7f, 1.6f}},
    {ground_rock, 75, {0.5f, 0.5f, 0.56f}}, {ground_grass, 76, kWarm},
    {ground_dirt, 77, kLight},        {ground_sand, 78, kDark},
    {ground_meadow, 80, kWarm},       {ground_flagstones, 79, kPlain},
};
static_assert(std::size(kTable) == kTerrainSections, "one ground for every section");

}  // namespace

const GroundSection& ground_section(int s) { return kTable[s]; }
