// vennor_content DATADIR [--sheets DIR]
//
// Writes the game's whole content tree into DATADIR. Every byte comes from
// the steps below, in order, and nothing depends on the clock or the host,
// so two runs give identical trees. --sheets also writes contact-sheet PNGs
// of the pictures for people to look over.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/content/cursors.h"
#include "tools/content/fileout.h"
#include "tools/content/fonts.h"
#include "tools/content/campaignmaps.h"
#include "tools/content/demomap.h"
#include "tools/content/editorart.h"
#include "tools/content/gamebitmaps.h"
#include "tools/content/gen.h"
#include "tools/content/items.h"
#include "tools/content/menuart.h"
#include "tools/content/viewtables.h"
#include "tools/content/sounds.h"
#include "tools/content/terrain.h"
#include "tools/content/units.h"

namespace {

const char* const kFolders[] = {"text",  "maps",  "units", "items",     "terrain", "data",
                                "bitmaps", "fonts", "wave",  "resources", "shots"};

bool gen_folders(const GenContext& ctx, std::string& why) {
    for (const char* f : kFolders)
        if (!make_dirs(data_path(ctx, f), why)) return false;
    return true;
}

struct NamedStep {
    const char* name;
    GenStep run;
};

const NamedStep kSteps[] = {
    {"folders", gen_folders},
    {"cursors", gen_cursors},
    {"view tables", gen_viewtables},
    {"fonts", gen_fonts},
    {"sounds", gen_sounds},
    {"terrain", gen_terrain},
    {"menu art", gen_menuart},
    {"game bitmaps", gen_gamebitmaps},
    {"items", gen_items},
    {"units", gen_units},
    {"demo map", gen_demomap},
    {"campaign maps", gen_campaignmaps},
    {"editor art", gen_editorart},
};

bool parse_args(int argc, char** argv, GenContext& ctx) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--sheets") == 0 && i + 1 < argc)
            ctx.sheetdir = argv[++i];
        else if (argv[i][0] != '-' && ctx.datadir.empty())
            ctx.datadir = argv[i];
        else
            return false;
    }
    return !ctx.datadir.empty();
}

}  // namespace

int main(int argc, char** argv) {
    GenContext ctx;
    if (!parse_args(argc, argv, ctx)) {
        std::fprintf(stderr, "usage: vennor_content DATADIR [--sheets DIR]\n");
        return 2;
    }
    for (const NamedStep& s : kSteps) {
        std::string why;
        if (!s.run(ctx, why)) {
            std::fprintf(stderr, "vennor_content: %s: %s\n", s.name, why.c_str());
            return 1;
        }
    }
    return 0;
}
