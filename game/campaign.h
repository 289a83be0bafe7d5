#pragma once
// The campaign: missions on maps of their own, played in order. Winning one
// opens the next; how far the player has come is kept in the player's tree.
#include <string>

#include "platform/types.h"

struct campaignmission {
    const char* map;   // the map's main file
    const char* title;
};

constexpr int NUMMISSIONS = 3;
extern const campaignmission campaign[NUMMISSIONS];

constexpr const char* CAMPAIGNFILE = "campaign.txt";

// Missions open to play: 1..NUMMISSIONS (the first is always open). A
// missing or damaged file counts as a campaign just begun.
int missionsopen();
// Keeps that many open; false with the reason when it cannot be written.
bool keepmissionsopen(int open, std::string* why);
// The file's text for a count, and the count a text gives (0 when the text
// is not one of ours).
std::string campaigntext(int open);
int campaignfromtext(const std::string& text);

// What comes after mission m (0-based) by the outcome just played: a victory
// first keeps the missions it opens (a box tells the player when the file
// cannot take them), then the next mission (asked), the same again after a
// defeat (asked), or none (-1).
int campaignafter(int m);

// "New Game": the mission to play is chosen among those open (the furthest
// first), then each victory leads on to the next until the last is won or
// the player stops.
u32 runcampaign();
