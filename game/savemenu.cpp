#include "game/savemenu.h"

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/cursor.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/redrawscreen.h"
#include "game/mission.h"
#include "game/savegame.h"
#include "game/savestate.h"
#include "text/dialog.h"
#include "view/effects.h"
#include "view/mapview.h"

constexpr int SLOTS = 8;

static std::vector<std::string> rownames;
static int namefield = -1, savelist = -1;
static std::string chosen;
static bool listsaving = false;

static std::string when(i64 ns) {
    if (!ns) return "";
    std::time_t t = (std::time_t)(ns / 1000000000);
    std::tm tm = {};
    localtime_r(&t, &tm);
    char text[32];
    if (std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &tm) == 0) text[0] = 0;
    return text;
}

// Saving offers the numbered slots first, each with the time it was last
// written or "(empty)", then every other save; loading offers what there
// is, the newest first.
static void fillrows(std::vector<std::string>* shown) {
    std::vector<saveentry> saves = listsaves();
    rownames.clear();
    shown->clear();
    auto add = [&](const std::string& name, const std::string& written) {
        char text[96];
        std::snprintf(text, sizeof text, "%s  -  %s", name.c_str(), written.c_str());
        rownames.push_back(name);
        shown->push_back(text);
    };
    auto find = [&](const std::string& name) -> const saveentry* {
        for (const saveentry& e : saves)
            if (e.name == name) return &e;
        return nullptr;
    };
    if (listsaving)
        for (int s = 1; s <= SLOTS; s++) {
            std::string name = "slot" + std::to_string(s);
            const saveentry* e = find(name);
            add(name, e ? when(e->written) : "empty");
        }
    for (const saveentry& e : saves) {
        if (listsaving && e.name.size() == 5 && e.name.rfind("slot", 0) == 0 && e.name[4] >= '1' && e.name[4] <= '0' + SLOTS)
            continue;
        add(e.name, when(e.written));
    }
}

static void activaterow(int c, i32 row) {
    if (c != savelist || row < 0 || row >= (i32)rownames.size()) return;
    chosen = rownames[(size_t)row];
    boxresult = 1;
}

// Ok: a typed name wins over the row chosen.
static bool acceptchoice() {
    std::string typed = namefield >= 0 ? dialog.ctl[namefield].text : "";
    if (!typed.empty()) {
        if (!savenameok(typed)) {
            dialog_flash(namefield, "Letters, digits, spaces, - and _ only");
            return false;
        }
        chosen = typed;
        return true;
    }
    const dlgcontrol& l = dialog.ctl[savelist];
    if (l.sel < 0 || l.sel >= (i32)rownames.size()) {
        dialog_flash(savelist, listsaving ? "Choose a slot or type a name" : "There is no saved game");
        return false;
    }
    chosen = rownames[(size_t)l.sel];
    return true;
}

static void build() {
    std::vector<std::string> shown;
    fillrows(&shown);
    dialog_begin(listsaving ? "Save Game" : "Load Game", 110, 50, 420, 360);
    dialog_label(130, 80, listsaving ? "Save into:" : "Load which game?");
    savelist = dialog_list(130, 98, 380, 15);
    dialog_setitems(savelist, shown);
    namefield = -1;
    if (listsaving) {
        dialog_label(130, 330, "Or a new name (Tab):");
        namefield = dialog_text(300, 326, 210, "", SAVENAMEMAX, false);
    } else if (shown.empty()) {
        dialog_label(130, 330, "No game has been saved yet.");
    }
    dialog_buttons(250, 372);
    dialog.focus = savelist;
    dialog.accept = acceptchoice;
    dialog.activate = activaterow;
}

static bool runlist(bool saving) {
    listsaving = saving;
    chosen.clear();
    build();
    return dialog_run(GS_FILEDIALOG) == 1 && !chosen.empty();
}

// After a screen over the mission: its cursor back, and a button still
// held from the screen gives no order.
static void backtomission(u8 mode) {
    setcursormode(mode);
    if (lbuttondown) waitingforlmbup = 1;
}

static void saveandsay(const std::string& name, const tickphase& t) {
    puttickphase(t);
    std::string said;
    savegameto(name, &said);
    flashmessage(said.c_str());
    puttickphase(t);
}

// The loaded game is shown under its message; what drawing it moves on (the
// clouds' fading, the numbers' flight) is put back from the same bytes, so
// the game goes on exactly as saved.
static bool loadandsay(const std::string& name, const tickphase& before) {
    std::string said;
    if (!loadgamefrom(name, &said)) {
        flashmessage(said.c_str());
        puttickphase(before);
        return false;
    }
    std::vector<u8> loaded;
    buildsave(&loaded);
    drawmapview();
    flashmessage(said.c_str());
    loadsavebytes(loaded.data(), loaded.size());
    return true;
}

void savelistscreen(bool saving) {
    tickphase t = holdtickphase();
    u8 mode = cursormode;
    if (!runlist(saving)) {
        puttickphase(t);
        backtomission(mode);
        return;
    }
    if (saving) {
        saveandsay(chosen, t);
        backtomission(mode);
    } else if (!loadandsay(chosen, t)) {
        backtomission(mode);
    }
}

void quicksave() {
    u8 mode = cursormode;
    saveandsay(QUICKSAVENAME, holdtickphase());
    backtomission(mode);
}

static bool loadnewest(const tickphase& t) {
    std::vector<saveentry> saves = listsaves();
    if (saves.empty()) {
        flashmessage("No saved game to load");
        puttickphase(t);
        return false;
    }
    return loadandsay(saves[0].name, t);
}

void quickload() {
    u8 mode = cursormode;
    if (!loadnewest(holdtickphase())) backtomission(mode);
}

// A load refused over the menu leaves its message there: the menu is
// painted again under the pointer.
void menuloadgame() {
    if (!runlist(false)) return;
    if (loadandsay(chosen, holdtickphase())) resumemission();
    else redrawscreen();
}

void menuquickload() {
    if (loadnewest(holdtickphase())) resumemission();
    else redrawscreen();
}
