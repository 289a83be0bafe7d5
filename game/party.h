#pragma once
// The player's party: each member walks a path of its own, the party forms
// up at the map's start point, idle members follow the commanded unit, and
// the command passes on when the commanded unit falls.
#include "game/mission.h"
#include "platform/types.h"
#include "world/npc.h"

// How far (in cells) an idle member may stand from the commanded unit
// before it walks back, and how near it comes.
constexpr i32 FOLLOWFAR = 6;
constexpr i32 FOLLOWNEAR = 3;
// Frames a member waits before it looks for a way again after none was found.
constexpr u8 FOLLOWRETRY = 30;

// The paths of the members not commanded now; the commanded unit's is
// npcpath and pathpos, where the orders write.
extern u8 parkedpath[SLOTSPERPLAYER + 1][NPCPATHSIZE];
extern u8 parkedpos[SLOTSPERPLAYER + 1];

bool partyslot(int slot); // a slot of player 0: 1..32
u8* pathof(int slot);
u8& pathposof(int slot);
// The search's pathbuf becomes the slot's path, walked from its start.
void takepath(int slot);
// The command passes from one member to another: their paths swap places.
void switchpath(int from, int to);
void clearpaths();

// Mission start, after the leader is made in slot 1 (a unit of the map in
// slot 1 was moved to a free slot first): every member stands in the
// formation at player 0's start point, the leader first.
// False when the map's own unit in slot 1 finds no free slot.
bool moveoutofslot1();
void formparty();

// Once a frame, for the members not commanded: an idle one strikes at an
// enemy within its reach, or else walks back toward the commanded unit
// while the party follows (the follow toggle is 0).
void followstep();
// The commanded unit has fallen: the command passes to a living member.
void reselect();
// In use, player 0's and alive.
bool livingmember(int slot);
