#pragma once
// The mission: the leader's party against the computer's units, frame by
// frame, until the player leaves.
#include <string>

#include "platform/types.h"

constexpr int NPCPATHSIZE = 128;

extern u8 autogather;
extern u8 npcpath[NPCPATHSIZE]; // the path the commanded human unit walks
extern u8 pathpos;
extern u32 fatigueregentick, magicregentick;
extern u32 animationdue;  // the tick of the map's next animation step
extern u32 nextframetick; // the tick the paced frame waits for
extern u8 shiftdown, capslockon, ctrldown; // read once per simulation step

// The map the mission is played on: the demo's unless a campaign chose one.
extern std::string missionmap;
// "Run Demo": a mission on the demo's map.
u32 runmission();
// A mission on the map named; 0 (the player told) when it cannot be loaded.
u32 runmissionon(const std::string& map);
// The frame loop on the mission as it stands (a loaded game), then its end.
u32 resumemission();
// Mission start without the frame loop: the map, the leader, the view.
// False, with nothing started, when the mission's map cannot be loaded.
bool startmission();
// One frame: input, picking, simulation unless paused, the view, pacing,
// present. False once the mission has ended.
bool missionframe();
void endmission();
// The rules of one frame's world, without input or drawing.
void simulationstep();
// An unpaused frame's world: the simulation, the view centred on the
// current unit, the map's animation when its tick is due.
void advanceworld();

u32 dropitem(u16 item, u32 mapoff);
u32 pickupitem(int slot, u32 mapoff);
u32 useitem(int slot, u32 mapoff);
void panelrestore(u8 keep);
// One step of the map's animated items and land, once per due tick.
void mapanimationstep();
// The step when its due tick has come (the mission frame and the spells'
// animations share the one due tick).
void mapanimationdue();
