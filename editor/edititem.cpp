#include "editor/edititem.h"

#include <cstdio>
#include <cstdlib>

#include "app/gamestate.h"
#include "app/redrawscreen.h"
#include "editor/itemeditor.h"
#include "editor/mapeditor.h"
#include "text/dialog.h"
#include "video/presentframe.h"
#include "video/vscreen.h"
#include "view/objectpics.h"
#include "world/itemtype.h"

int edititemchecks[EI_CHECKS];
int edititembrightness = -1;

static const char* const checknames[EI_CHECKS] = {"isused",         "isloaded", "offlimits", "Blocks Sight",
                                                  "Blocks Passage", "Is Wall",  "Takeable",  "Usable"};

static bool checked(int which) { return dialog.ctl[edititemchecks[which]].checked != 0; }

static bool acceptitem() {
    const std::string& text = dialog.ctl[edititembrightness].text;
    bool digits = !text.empty() && text.size() <= 2;
    for (char c : text) digits = digits && c >= '0' && c <= '9';
    if (!digits) {
        dialog_flash(edititembrightness, "Brightness takes a number 0..19");
        return false;
    }
    if ((int)std::strtol(text.c_str(), nullptr, 10) > MAXBRIGHTNESS) {
        dialog_flash(edititembrightness, "Brightness is at most 19");
        return false;
    }
    return true;
}

static void label(i32 x, i32 y, const char* fmt, int a) {
    char text[48];
    std::snprintf(text, sizeof text, fmt, a);
    dialog_label(x, y, text);
}

static void label(i32 x, i32 y, const char* fmt, int a, int b) {
    char text[48];
    std::snprintf(text, sizeof text, fmt, a, b);
    dialog_label(x, y, text);
}

static void build(i32 n) {
    const itemtyperec& t = *itemtype[n];
    dialog_begin("Edit Item", 20, 40, 540, 400);
    label(40, 70, "Item Number %d", n);
    dialog_label(40, 96, "DO NOT MODIFY!");
    i32 y = 116;
    label(52, y, "fileoffset = %d", (int)t.fileoffset);
    label(52, y += 18, "rawdatasize = %d", (int)t.rawdatasize);
    label(52, y += 18, "picheight = %d", t.picheight);
    label(52, y += 18, "picwidth = %d", t.picwidth);
    label(52, y += 18, "largeitem = %d", t.largeitem);
    label(52, y += 18, "xsize, ysize = (%d, %d)", t.xsize, t.ysize);
    label(52, y += 18, "partoflargeitem = %d", t.partoflargeitem);
    label(52, y += 18, "xsection, ysection = (%d, %d)", t.xsection, t.ysection);
    label(52, y + 18, "ohmapcolor = %d", t.ohmapcolor);
    const u8 values[EI_CHECKS] = {t.isused, t.isloaded,   t.offlimits, t.blockssight,
                                  t.blockspassage, t.iswall, t.takeable,  t.usable};
    for (int k = 0; k < EI_CHECKS; k++) edititemchecks[k] = dialog_check(320, 96 + 24 * k, checknames[k], values[k] != 0);
    dialog_label(320, 300, "Brightness");
    char text[8];
    std::snprintf(text, sizeof text, "%d", t.brightness);
    edititembrightness = dialog_text(420, 297, 40, text, 2, true);
    dialog_buttons(300, 400);
    dialog.focus = edititemchecks[0];
    dialog.accept = acceptitem;
}

static void store(i32 n) {
    itemtyperec& t = *itemtype[n];
    t.isused = checked(EI_ISUSED);
    t.isloaded = checked(EI_ISLOADED);
    t.offlimits = checked(EI_OFFLIMITS);
    u8 brightness = (u8)std::strtol(dialog.ctl[edititembrightness].text.c_str(), nullptr, 10);
    i32 parts = itemparts(n);
    for (i32 k = 0; k < parts; k++) {
        itemtyperec& p = *itemtype[n + k];
        p.blockssight = checked(EI_SIGHT);
        p.blockspassage = checked(EI_PASSAGE);
        p.iswall = checked(EI_WALL);
        p.takeable = checked(EI_TAKEABLE);
        p.usable = checked(EI_USABLE);
        p.brightness = brightness;
    }
    if (n > 0 && t.isused) t.ohmapcolor = averagecolour(2, n);
}

void edititeminput(u32 message, u32 wparam, i32 lparam) {
    bool wall = edititemchecks[EI_WALL] >= 0 && checked(EI_WALL);
    dialoginput(message, wparam, lparam);
    if (!wall && checked(EI_WALL)) {
        dialog.ctl[edititemchecks[EI_SIGHT]].checked = 1;
        dialog.ctl[edititemchecks[EI_PASSAGE]].checked = 1;
    }
}

u32 edititemdialog(i32 n) {
    if (n < 0 || n >= NUMITEMTYPES) return 0;
    currentitem = n;
    clearvs();
    drawitempicraw(n, 580, 200);
    presentframe();
    presentframe();
    build(n);
    u8 result = dialog_run(GS_EDITITEM);
    if (result == 1) store(n);
    boxresult = 255;
    redrawscreen();
    return result;
}
