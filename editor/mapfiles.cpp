#include "editor/mapfiles.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/gamestate.h"
#include "app/input.h"
#include "editor/filedialog.h"
#include "editor/mapeditor.h"
#include "editor/undo.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/usertree.h"
#include "text/boxes.h"
#include "text/dialog.h"
#include "view/mapview.h"
#include "world/grids.h"
#include "world/mapfile.h"

std::string editmapname;
static bool everopened = false;

const std::string& firsteditmap() { return everopened ? editmapname : demomapname; }

std::string editmaptitle() { return editmapname.empty() ? "(new map)" : mapnameof(editmapname); }

bool editorunsaved() { return editmapname.empty() || mapunsaved(); }

std::string editortitleline() {
    return "Map: " + editmaptitle() + (editorunsaved() ? "  (unsaved changes)" : "");
}

void editormapopened(const std::string& name) {
    editmapname = name;
    everopened = true;
    std::memset(lightmap, 0, MAPCELLS);
    selshown = 0;
    undoreset();
    plat_setwindowtitle(("Vennor - " + editmaptitle()).c_str());
}

// Unsaved changes are offered a save first; false when the user's save failed.
static bool keepchanges() {
    if (!editorunsaved() || (editmapname.empty() && !mapunsaved())) return true;
    char text[96];
    std::snprintf(text, sizeof text, "Save the changes to %s first?", editmaptitle().c_str());
    if (!confirmbox(text)) return true;
    return saveeditedmap();
}

static std::string canonical(const std::string& p) {
    std::error_code ec;
    std::filesystem::path c = std::filesystem::weakly_canonical(std::filesystem::absolute(p, ec), ec);
    return ec ? p : c.string();
}

std::string chosenmappath(const std::string& hostpath) {
    std::filesystem::path p(hostpath);
    std::string dir = canonical(p.parent_path().string());
    std::vector<std::string> folders;
    if (plat_twotrees()) folders = {plat_resolvepath(plat_contenttree(), "maps"), plat_resolvepath(plat_usertree(), "maps")};
    else folders = {plat_hostpath("maps")};
    for (const std::string& f : folders)
        if (canonical(f) == dir) return "maps\\" + p.filename().string();
    return "";
}

bool editorloadmap() {
    if (!keepchanges()) return false;
    reopenfiledir = 0;
    if (!choosefile("maps", "*.dat")) return false;
    std::string game = chosenmappath(chosenpath);
    if (game.empty()) {
        okbox("A map is loaded from the maps folder of the game.");
        return false;
    }
    if (!loadmap(game.c_str())) {
        okbox("Unable to load map!");
        return false;
    }
    editormapopened(game);
    return true;
}

bool editornewmap() {
    if (!keepchanges()) return false;
    blankmap();
    editormapopened("");
    return true;
}

static int namefield = -1;

static bool acceptname() {
    if (validmapname(dialog.ctl[namefield].text)) return true;
    dialog_flash(namefield, "Letters, digits, - and _ only");
    return false;
}

// The name typed, or empty when the dialog was cancelled.
static std::string askname() {
    dialog_begin("Save Map As", 170, 170, 300, 130);
    std::string now = editmapname.empty() ? "Map name:" : "Map name (now " + editmaptitle() + "):";
    dialog_label(190, 200, now.c_str());
    namefield = dialog_text(190, 218, 260, "", 32, false);
    dialog_label(190, 238, "(saved in the maps folder)");
    dialog_buttons(230, 266);
    dialog.focus = namefield;
    dialog.accept = acceptname;
    return dialog_run(GS_FILEDIALOG) == 1 ? dialog.ctl[namefield].text : std::string();
}

bool editorsaveas() {
    std::string name = askname();
    waitingforlmbup = 1;
    if (name.empty()) return false;
    std::string path = mappath(name);
    char text[96];
    std::snprintf(text, sizeof text, "Replace the map %s?", name.c_str());
    if (path != editmapname && plat_fileexists(path.c_str()) && !confirmbox(text)) return false;
    std::string was = editmapname;
    editmapname = path;
    if (!saveeditedmap()) {
        editmapname = was;
        return false;
    }
    editormapopened(path);
    return true;
}
