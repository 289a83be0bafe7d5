#pragma once
// Light: the darkening tables, the light shapes of every brightness (centred,
// and shifted for a source walking between cells), the distance table, the
// half-and-half blend of see-through walls, and the light map of the world.
#include "platform/types.h"

constexpr int NUMLIGHTLEVELS = 16;
constexpr int MAXBRIGHTNESS = 19;
constexpr int SHAPESIZE = 32;     // a shape covers source offsets -15..16
constexpr int SHAPEVARIANTS = 64; // centred, then 8 facings x 7 steps
constexpr int NOLIGHT = 16;       // a shape level that lights nothing

extern u8 ambient;  // the level of an unlit cell
extern u8 lighting; // 0: the light map is all 0 and the unlit primitives draw
extern u16* lighttable; // 16 tables of 65536 colours, one per light level
extern u8 distancetable[48 * 48];
extern u8* lightshape[(MAXBRIGHTNESS + 1) * SHAPEVARIANTS];
extern u16* blendtable; // 512 x 512, 5-5-5 only

void initdistancetable();
void initlighttables();
// At the end of the game-bitmap loading: the see-through wall blend.
void initblendtables();
u16 blendhalf(u16 source, u16 destination);

// The shape a source of brightness b casts: centred when it stands still,
// shifted toward where it came from while it walks (facing 1..8, step 1..7).
const u8* shapefor(int b, int facing, int step);

// Recomputes the light map: centre -1 for the whole map, else the square of
// radius + 20 cells around the centre's cell. Updates hide-in-shadows.
void computelightmap(i32 centre, i32 radius);
