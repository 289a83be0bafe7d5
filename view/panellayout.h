#pragma once
// Where the mission panel's tabs and the controls of each tab lie, shared
// by the drawing and the clicks so that both agree to the pixel.
#include "platform/types.h"

struct panelrect {
    i32 left, top, right, bottom; // inclusive
    bool holds(i32 x, i32 y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

enum : u8 { TAB_INV = 0, TAB_STATS = 1, TAB_MAP = 2, TAB_LOG = 3, TAB_OPTIONS = 4, NUMTABS = 5 };

constexpr i32 TABY = 406;
constexpr i32 tabx[NUMTABS] = {468, 492, 530, 556, 580};
// A tab name is pressed on its own rows only; the spell slot and the map
// button under it keep the rest.
constexpr panelrect tabrect[NUMTABS] = {
    {466, 401, 489, 412}, {490, 401, 527, 412}, {528, 401, 553, 412}, {554, 401, 577, 412}, {578, 401, 630, 412}};

// The dark box under the gold line that the tabs fill: four lines.
constexpr i32 BOXLEFT = 208, BOXRIGHT = 422;
constexpr int BOXLINES = 4;
constexpr i32 BOXTOP = 432, LINEPITCH = 11;
inline constexpr i32 boxline(int row) { return BOXTOP + LINEPITCH * row; }
// The text of a line ends left of the scroll arrows.
constexpr i32 BOXTEXTRIGHT = 406;
constexpr panelrect scrollup = {410, 432, 422, 443};
constexpr panelrect scrolldown = {410, 465, 422, 476};
inline constexpr panelrect boxrow(int row) { return {BOXLEFT, boxline(row), BOXTEXTRIGHT, boxline(row) + LINEPITCH - 1}; }

// The OPTIONS tab's controls.
enum : u8 {
    OPT_VOLUMEDOWN, OPT_VOLUMEUP, OPT_MUTE, OPT_SCREEN, OPT_SCALEDOWN, OPT_SCALEUP,
    OPT_SLOWER, OPT_FASTER, OPT_SAVE, OPT_LOAD, NUMOPTCONTROLS
};
constexpr panelrect optrect[NUMOPTCONTROLS] = {
    {262, 432, 273, 442}, // volume -
    {300, 432, 311, 442}, // volume +
    {356, 432, 392, 442}, // mute
    {262, 443, 311, 453}, // window / full screen
    {356, 443, 367, 453}, // scale -
    {384, 443, 395, 453}, // scale +
    {300, 454, 311, 464}, // frame delay +: slower
    {262, 454, 273, 464}, // frame delay -: faster
    {212, 465, 262, 476}, // save
    {270, 465, 320, 476}, // load
};

// The spell slots' lines, level with the marks of the panel picture.
constexpr i32 spelltexty[4] = {416, 426, 440, 454};
constexpr i32 SPELLTEXTLEFT = 444, SPELLTEXTRIGHT = 517;
