#pragma once
// The land and item editors' own pictures (the page's arrows, scroll bar
// and thumb, the section grid's diamond) and land source pictures in
// terrain\ that the land editor cuts into sections.
#include <string>
#include <vector>

#include "tools/content/canvas.h"
#include "tools/content/gen.h"

// Sizes the editors draw them at.
constexpr int kUpDownW = 20, kUpDownH = 40;
constexpr int kScrollBarW = 20, kScrollBarH = 440;
constexpr int kScrollBoxW = 20, kScrollBoxH = 16;
constexpr int kTestLandW = 40, kTestLandH = 20;
// A land source: the editor draws it at screen (0, 1) and cuts the 16
// diamonds of a section out of it.
constexpr int kLandSourceW = 160, kLandSourceH = 80;

Canvas editor_updown();
Canvas editor_scrollbar();
Canvas editor_scrollbox();
Canvas editor_testland();

struct LandSource {
    const char* rel;  // path inside the data tree
    int section;      // the generated section it shows, or -1 for a ground of its own
};
const std::vector<LandSource>& land_sources();
// The source's picture: every diamond holds its tile's 5-5-5 pixels widened
// so that the editor's cut gives those pixels back in 5-5-5 and 5-6-5; the
// space between the diamonds continues the ground.
Canvas land_source_picture(const LandSource& s);

bool gen_editorart(const GenContext& ctx, std::string& why);
