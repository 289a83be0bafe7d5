#pragma once
// From rendered coverage to the values the game's glyph drawing reads.
#include <vector>

#include "platform/types.h"

constexpr int kMaxLevel = 7;   // the game blends level s at (s + 1) / 8
constexpr u8 kOutline = 1;     // the outlined font: black
constexpr u8 kMinFill = 2;     // the outlined font: any value from here up is fill

// 0 where a level-1 blend (a quarter) would be further from c than nothing.
u8 coverage_level(u8 c);

// The outlined font's cell: pixels at least half covered become fill
// (2..7), and every empty pixel touching fill, diagonals included, becomes
// outline, so the fill never meets the background.
std::vector<u8> outlined_levels(const std::vector<u8>& cov, int w, int h);
