// The Edit Item dialog: what it shows, what Ok stores and where, Cancel,
// the Brightness check, Is Wall ticking the other two, and a record ticked
// as used without a picture in memory.
#include <gtest/gtest.h>

#include <string>

#include "app/gamestate.h"
#include "editor/edititem.h"
#include "editor/itemsave.h"
#include "itemeditorenv.h"
#include "testenv.h"
#include "text/dialog.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/objectpics.h"
#include "world/itemtype.h"
#include "world/lebytes.h"

static std::string ev(int tick, const std::string& event) { return std::to_string(tick) + " " + event + "\n"; }
static std::string clickat(int tick, int x, int y) {
    return ev(tick, "move " + std::to_string(x) + " " + std::to_string(y)) + ev(tick, "ldown") + ev(tick, "lup");
}
// The check boxes stand 24 rows apart from (320, 96).
static std::string tick(int tick, int which) { return clickat(tick, 326, 96 + 24 * which + 6); }
static std::string brightness(int tick, const std::string& text) {
    std::string s = clickat(tick, 450, 303) + ev(tick, "key END") + ev(tick, "key BACK") + ev(tick, "key BACK");
    return text.empty() ? s : s + ev(tick, "text " + text);
}

static u32 edit(i32 n, const std::string& script) {
    u32 result = 99;
    EXPECT_TRUE(underscript(script, [&] { result = edititemdialog(n); })) << "the dialog did not close";
    return result;
}

static bool haslabel(const std::string& text) {
    for (int i = 0; i < dialog.count; i++)
        if (dialog.ctl[i].kind == DC_LABEL && text == dialog.ctl[i].label) return true;
    return false;
}

TEST(ItemEditorDialog, ShowsTheRecordAndCancelStoresNothing) {
    startitemeditor();
    itemtyperec& t = *itemtype[77];
    t.fileoffset = 1234;
    t.rawdatasize = 56;
    t.picheight = 90;
    t.picwidth = 41;
    t.largeitem = 1;
    t.xsize = 3;
    t.ysize = 2;
    t.partoflargeitem = 0;
    t.ohmapcolor = 4321;
    t.isused = 1;
    t.iswall = t.blockssight = 1;
    t.brightness = 7;
    itemtype[78]->xsection = 1; // not shown: only the record of 77
    EXPECT_EQ(edit(77, tick(1, EI_TAKEABLE) + tick(1, EI_ISUSED) + ev(10, "key ESC")), 0u);
    for (const char* line : {"Item Number 77", "DO NOT MODIFY!", "fileoffset = 1234", "rawdatasize = 56",
                             "picheight = 90", "picwidth = 41", "largeitem = 1", "xsize, ysize = (3, 2)",
                             "partoflargeitem = 0", "xsection, ysection = (0, 0)", "ohmapcolor = 4321"})
        EXPECT_TRUE(haslabel(line)) << line;
    EXPECT_STREQ(dialog.title, "Edit Item");
    EXPECT_EQ(dialog.ctl[edititembrightness].text, "7");
    EXPECT_EQ(dialog.ctl[edititemchecks[EI_WALL]].checked, 1);
    EXPECT_EQ(dialog.ctl[edititemchecks[EI_SIGHT]].checked, 1);
    EXPECT_EQ(dialog.ctl[edititemchecks[EI_TAKEABLE]].checked, 1) << "the click reached the box";
    EXPECT_EQ(t.takeable, 0) << "Cancel stores nothing";
    EXPECT_EQ(t.isused, 1);
    EXPECT_EQ(gamestate, GS_EDITMAP);
}

TEST(ItemEditorDialog, OkStoresTheRecordsOwnFieldsOnItAndTheFlagsOnEveryPart) {
    startitemeditor();
    itemtyperec& first = *itemtype[100];
    first.isused = 1;
    first.largeitem = 1;
    first.xsize = 2;
    first.ysize = 1;
    itemtype[101]->isused = itemtype[101]->offlimits = 1;
    itemtype[101]->partoflargeitem = 100;
    std::string script = tick(1, EI_ISLOADED) + tick(1, EI_TAKEABLE) + tick(1, EI_USABLE) + tick(1, EI_PASSAGE) +
                         brightness(2, "12") + ev(10, "key ENTER");
    EXPECT_EQ(edit(100, script), 1u);
    EXPECT_EQ(first.isloaded, 1);
    EXPECT_EQ(itemtype[101]->isloaded, 0) << "isloaded is the item's own";
    EXPECT_EQ(itemtype[101]->offlimits, 1);
    for (int n : {100, 101}) {
        EXPECT_EQ(itemtype[n]->takeable, 1) << n;
        EXPECT_EQ(itemtype[n]->usable, 1) << n;
        EXPECT_EQ(itemtype[n]->blockspassage, 1) << n;
        EXPECT_EQ(itemtype[n]->blockssight, 0) << n;
        EXPECT_EQ(itemtype[n]->brightness, 12) << n;
    }
    EXPECT_EQ(itemtype[102]->takeable, 0) << "past the large item";
    EXPECT_EQ(itemtype[102]->brightness, 0);
}

TEST(ItemEditorDialog, BrightnessOver19OrEmptyIsRefusedAtTheField) {
    startitemeditor();
    itemtype[5]->isused = 1;
    // 20 refused (the dialog stays open), then empty refused, then 19 taken.
    std::string script = brightness(1, "20") + ev(2, "key ENTER") + brightness(5, "") + ev(6, "key ENTER") +
                         brightness(9, "19") + ev(10, "key ENTER");
    EXPECT_EQ(edit(5, script), 1u);
    EXPECT_EQ(itemtype[5]->brightness, 19);
    EXPECT_EQ(dialog.flashctl, edititembrightness);
    EXPECT_STREQ(dialog.flash, "Brightness takes a number 0..19");
    // Letters never reach the field; 20 is the first number refused.
    startitemeditor();
    itemtype[5]->isused = 1;
    EXPECT_EQ(edit(5, brightness(1, "2x0") + ev(2, "key ENTER") + ev(6, "key ESC")), 0u);
    EXPECT_EQ(dialog.ctl[edititembrightness].text, "20");
    EXPECT_STREQ(dialog.flash, "Brightness is at most 19");
    EXPECT_EQ(itemtype[5]->brightness, 0);
}

TEST(ItemEditorDialog, TickingIsWallTicksBlocksSightAndBlocksPassage) {
    startitemeditor();
    itemtype[5]->isused = 1;
    EXPECT_EQ(edit(5, tick(1, EI_WALL) + ev(5, "key ENTER")), 1u);
    EXPECT_EQ(itemtype[5]->iswall, 1);
    EXPECT_EQ(itemtype[5]->blockssight, 1);
    EXPECT_EQ(itemtype[5]->blockspassage, 1);
    // Taking the tick off leaves the other two as they are.
    EXPECT_EQ(edit(5, tick(1, EI_WALL) + ev(5, "key ENTER")), 1u);
    EXPECT_EQ(itemtype[5]->iswall, 0);
    EXPECT_EQ(itemtype[5]->blockssight, 1);
    EXPECT_EQ(itemtype[5]->blockspassage, 1);
    // Ticked by keyboard too: Tab from isused to Is Wall, Space.
    itemtype[5]->blockssight = itemtype[5]->blockspassage = 0;
    std::string keys;
    for (int k = 0; k < EI_WALL; k++) keys += ev(1, "key TAB");
    EXPECT_EQ(edit(5, keys + ev(2, "key SPACE") + ev(5, "key ENTER")), 1u);
    EXPECT_EQ(itemtype[5]->blockssight, 1);
}

TEST(ItemEditorDialog, UsedWithoutAPictureInMemoryDrawsAndSavesNone) {
    startitemeditor();
    itemtyperec& t = *itemtype[70];
    t.rawdatasize = 9; // an old record's numbers, its picture never loaded
    t.fileoffset = 40;
    t.picwidth = t.picheight = 30;
    EXPECT_EQ(edit(70, tick(1, EI_ISUSED) + tick(1, EI_ISLOADED) + ev(5, "key ENTER")), 1u);
    ASSERT_EQ(t.isused, 1);
    clearvsall();
    drawitempicraw(70, 100, 100);
    EXPECT_EQ(vsinked(), 0u);
    std::vector<u8> raw, dat;
    std::vector<u32> offsets;
    builditemfiles(&raw, &dat, &offsets);
    EXPECT_TRUE(raw.empty());
    itemtyperec written{};
    itemtypefromfile(&dat[70 * ITEMTYPESIZE], &written);
    EXPECT_EQ(written.isused, 1);
    EXPECT_EQ(written.rawdatasize, 0u) << "no picture promised that is not there";
    EXPECT_EQ(written.fileoffset, 0u);
}
