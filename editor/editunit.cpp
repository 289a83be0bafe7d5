#include "editor/editunit.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/gamestate.h"
#include "app/redrawscreen.h"
#include "editor/mapeditor.h"
#include "text/dialog.h"
#include "video/presentframe.h"
#include "video/vscreen.h"
#include "view/objectpics.h"
#include "world/unittype.h"

// Control indices of the open dialog and the type it edits.
static struct {
    int type;
    int name, picno, unitclass, health, movement, magic, damagemin, damagemax, rangemin, rangemax;
    int specials[4];
} eu;

static const std::vector<std::string> classnames = {"Fighter", "Archer", "Thief", "Mage", "Cleric"};
// Ability numbers as the unit record stores them.
static const std::vector<std::string> abilitynames = {"None",   "Hide in Shadows", "Light",  "Raise Dead",
                                                      "Freeze", "Heal",            "Explode", "Lightning"};

static constexpr u32 NUMBERDIGITS = 4;
static constexpr u32 NAMECHARS = 30;

static int numberfield(i32 x, i32 y, u32 value) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", value);
    return dialog_text(x, y, 50, text, NUMBERDIGITS, true);
}

static i32 clampsel(u32 v, size_t n) { return v < n ? (i32)v : 0; }

void buildeditunit(int t) {
    const unittyperec& u = *unittype[t];
    eu.type = t;
    dialog_begin("Edit Unit", 20, 20, 520, 440);
    char text[48];
    // The record's number and its picture set are what the map and the
    // other types refer to.
    dialog_label(40, 52, "DO NOT MODIFY!");
    std::snprintf(text, sizeof text, "Unit Number %d", t);
    dialog_label(56, 72, text);
    dialog_label(56, 96, "picno");
    eu.picno = numberfield(170, 94, u.picno);

    dialog_label(40, 132, "Name");
    eu.name = dialog_text(170, 130, 240, std::string(u.name, strnlen(u.name, sizeof u.name - 1)).c_str(), NAMECHARS,
                          false);
    dialog_label(40, 160, "Class");
    eu.unitclass = dialog_combo(170, 158, 140, classnames, clampsel(u.unitclass, classnames.size()));
    dialog_label(40, 190, "health max");
    eu.health = numberfield(170, 188, u.healthmax);
    dialog_label(40, 216, "movement max");
    eu.movement = numberfield(170, 214, u.movementmax);
    dialog_label(40, 242, "magic max");
    eu.magic = numberfield(170, 240, u.magicmax);
    dialog_label(40, 272, "Damage");
    eu.damagemin = numberfield(170, 270, u.damagemin);
    dialog_label(228, 272, "-");
    eu.damagemax = numberfield(244, 270, u.damagemax);
    dialog_label(40, 298, "Range");
    eu.rangemin = numberfield(170, 296, u.rangemin);
    dialog_label(228, 298, "-");
    eu.rangemax = numberfield(244, 296, u.rangemax);
    dialog_label(40, 330, "Special Abilities");
    for (int k = 0; k < 4; k++)
        eu.specials[k] = dialog_combo(170 + 170 * (k % 2), 328 + 28 * (k / 2), 160, abilitynames,
                                      clampsel(u.specials[k], abilitynames.size()));
    dialog_buttons(170, 420);
    dialog.accept = storeeditunit;
}

// The number in field c, or -1 (after a flash) when it is not one.
static i32 readnumber(int c, i32 most) {
    const std::string& s = dialog.ctl[c].text;
    if (s.empty() || s.size() > NUMBERDIGITS) {
        dialog_flash(c, "Enter a number");
        return -1;
    }
    i32 v = 0;
    for (char ch : s) {
        if (ch < '0' || ch > '9') {
            dialog_flash(c, "Digits only");
            return -1;
        }
        v = v * 10 + (ch - '0');
    }
    if (v > most) {
        char text[48];
        std::snprintf(text, sizeof text, "At most %d", most);
        dialog_flash(c, text);
        return -1;
    }
    return v;
}

bool storeeditunit() {
    i32 picno = readnumber(eu.picno, NUMUNITTYPES - 1);
    if (picno < 0) return false;
    const std::string& name = dialog.ctl[eu.name].text;
    if (name.size() > NAMECHARS) {
        dialog_flash(eu.name, "At most 30 characters");
        return false;
    }
    i32 health = readnumber(eu.health, 9999), movement = health < 0 ? -1 : readnumber(eu.movement, 9999);
    if (movement < 0) return false;
    i32 magic = readnumber(eu.magic, 255);
    if (magic < 0) return false;
    i32 dmin = readnumber(eu.damagemin, 255), dmax = dmin < 0 ? -1 : readnumber(eu.damagemax, 9999);
    if (dmax < 0) return false;
    if (dmin > dmax) {
        dialog_flash(eu.damagemin, "Minimum above maximum");
        return false;
    }
    i32 rmin = readnumber(eu.rangemin, 255), rmax = rmin < 0 ? -1 : readnumber(eu.rangemax, 255);
    if (rmax < 0) return false;
    if (rmin > rmax) {
        dialog_flash(eu.rangemin, "Minimum above maximum");
        return false;
    }

    unittyperec& u = *unittype[eu.type];
    std::memset(u.name, 0, sizeof u.name);
    std::memcpy(u.name, name.data(), name.size());
    u.picno = (u8)picno;
    i32 cls = dialog.ctl[eu.unitclass].sel;
    u.unitclass = (u32)(cls >= 0 ? cls : 0);
    u.healthmax = (u32)health;
    u.movementmax = (u32)movement;
    u.magicmax = (u8)magic;
    u.damagemin = (u8)dmin;
    u.damagemax = (u32)dmax;
    u.rangemin = (u8)rmin;
    u.rangemax = (u8)rmax;
    for (int k = 0; k < 4; k++) {
        i32 sel = dialog.ctl[eu.specials[k]].sel;
        u.specials[k] = (u8)(sel >= 0 ? sel : 0);
    }
    return true;
}

int editunitdialog(int t) {
    if (t < 0 || t >= NUMUNITTYPES || !unittype[t]) return 0;
    placeunittype = t;
    clearvs();
    drawunitpicraw(unittype[t]->picno, 580, 200, ACTION_WALK, 4, 0);
    presentframe();
    presentframe();
    buildeditunit(t);
    u8 result = dialog_run(GS_EDITUNIT);
    boxresult = 255;
    redrawscreen();
    return result == 1 ? 1 : 0;
}
