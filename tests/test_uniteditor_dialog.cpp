// The "Edit Unit" dialog: what it shows of a unit type, what Ok stores and
// Cancel does not, and the values it refuses with a note at the field.
#include <gtest/gtest.h>

#include <cstring>

#include "app/gamestate.h"
#include "app/timer.h"
#include "editor/editunit.h"
#include "editor/mapeditor.h"
#include "platform/winmsg.h"
#include "text/dialog.h"
#include "uniteditorenv.h"

static std::vector<unittyperec> types(NUMUNITTYPES);

// Type 6: a full record to show.
static void startdialog() {
    starttestplatform();
    tickcount = 1000;
    boxresult = 255;
    for (int i = 0; i < NUMUNITTYPES; i++) {
        types[i] = unittyperec{};
        unittype[i] = &types[i];
    }
    unittyperec& u = types[6];
    std::strcpy(u.name, "Swordsman");
    u.picno = 3;
    u.unitclass = CLASS_MAGE;
    u.healthmax = 120;
    u.movementmax = 40;
    u.magicmax = 30;
    u.damagemin = 2;
    u.damagemax = 9;
    u.rangemin = 1;
    u.rangemax = 4;
    u.specials[0] = 7;
    u.specials[2] = 4;
    buildeditunit(6);
}

// Field number n of the dialog's controls of a kind, in the order added.
static int nth(u8 kind, int n) {
    for (int i = 0; i < dialog.count; i++)
        if (dialog.ctl[i].kind == kind && n-- == 0) return i;
    return -1;
}
static dlgcontrol& text(int n) { return dialog.ctl[nth(DC_TEXT, n)]; }
static dlgcontrol& combo(int n) { return dialog.ctl[nth(DC_COMBO, n)]; }
enum { PICNO, NAME, HEALTH, MOVEMENT, MAGIC, DMIN, DMAX, RMIN, RMAX };

static bool haslabel(const char* s) {
    for (int i = 0; i < dialog.count; i++)
        if (dialog.ctl[i].kind == DC_LABEL && std::strcmp(dialog.ctl[i].label, s) == 0) return true;
    return false;
}

TEST(EditUnit, ShowsEveryFieldOfTheType) {
    startdialog();
    EXPECT_STREQ(dialog.title, "Edit Unit");
    for (const char* l : {"Unit Number 6", "DO NOT MODIFY!", "Name", "picno", "Class", "health max", "movement max",
                          "magic max", "Damage", "Range", "Special Abilities", "-"})
        EXPECT_TRUE(haslabel(l)) << l;
    const char* shown[] = {"3", "Swordsman", "120", "40", "30", "2", "9", "1", "4"};
    for (int n = 0; n < 9; n++) EXPECT_EQ(text(n).text, shown[n]) << n;
    EXPECT_EQ(nth(DC_TEXT, 9), -1) << "nine text fields and no more";
    EXPECT_EQ(combo(0).items, (std::vector<std::string>{"Fighter", "Archer", "Thief", "Mage", "Cleric"}));
    EXPECT_EQ(combo(0).sel, 3);
    EXPECT_EQ(combo(1).items, (std::vector<std::string>{"None", "Hide in Shadows", "Light", "Raise Dead", "Freeze",
                                                        "Heal", "Explode", "Lightning"}));
    int sels[4] = {7, 0, 4, 0};
    for (int k = 0; k < 4; k++) EXPECT_EQ(combo(k + 1).sel, sels[k]) << k;
    EXPECT_EQ(nth(DC_COMBO, 5), -1);
    for (int n = 0; n < 9; n++) EXPECT_EQ(text(n).digits, n != NAME) << n;
    EXPECT_EQ(text(NAME).maxlen, 30u);
}

TEST(EditUnit, OkStoresEveryFieldAndCancelNothing) {
    startdialog();
    const char* typed[] = {"11", "Pikeman", "200", "55", "255", "0", "1000", "2", "255"};
    for (int n = 0; n < 9; n++) text(n).text = typed[n];
    combo(0).sel = 4;
    for (int k = 0; k < 4; k++) combo(k + 1).sel = k + 3;
    unittyperec keep = types[6];
    dialoginput(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(boxresult, 0);
    EXPECT_EQ(std::memcmp(&keep, &types[6], sizeof keep), 0) << "Cancel stores nothing";
    boxresult = 255;
    dialog_ok();
    EXPECT_EQ(boxresult, 1);
    const unittyperec& u = types[6];
    EXPECT_STREQ(u.name, "Pikeman");
    EXPECT_EQ(u.picno, 11);
    EXPECT_EQ(u.unitclass, (u32)CLASS_CLERIC);
    EXPECT_EQ(u.healthmax, 200u);
    EXPECT_EQ(u.movementmax, 55u);
    EXPECT_EQ(u.magicmax, 255);
    EXPECT_EQ(u.damagemin, 0);
    EXPECT_EQ(u.damagemax, 1000u);
    EXPECT_EQ(u.rangemin, 2);
    EXPECT_EQ(u.rangemax, 255);
    for (int k = 0; k < 4; k++) EXPECT_EQ(u.specials[k], k + 3);
    boxresult = 255;
}

TEST(EditUnit, RefusedValuesFlashAtTheirFieldAndStoreNothing) {
    struct refusal {
        int field;
        const char* value;
        int flashed;
    } cases[] = {
        {PICNO, "12", PICNO},  {PICNO, "", PICNO},    {HEALTH, "1a", HEALTH}, {MOVEMENT, "-1", MOVEMENT},
        {MAGIC, "256", MAGIC}, {DMIN, "256", DMIN},   {DMIN, "10", DMIN},     {RMIN, "256", RMIN},
        {RMAX, "256", RMAX},   {RMIN, "5", RMIN},     {DMAX, "x", DMAX},
    };
    for (const refusal& c : cases) {
        startdialog();
        unittyperec keep = types[6];
        text(c.field).text = c.value;
        dialog_ok();
        EXPECT_EQ(boxresult, 255) << c.value;
        EXPECT_EQ(dialog.flashctl, nth(DC_TEXT, c.flashed)) << c.field << " " << c.value;
        EXPECT_NE(dialog.flash[0], 0);
        EXPECT_EQ(std::memcmp(&keep, &types[6], sizeof keep), 0) << c.value;
    }
    // The limits themselves are taken.
    startdialog();
    text(PICNO).text = "0";
    text(DMIN).text = "9";
    text(RMIN).text = "4";
    dialog_ok();
    EXPECT_EQ(boxresult, 1);
    boxresult = 255;
}

TEST(EditUnit, NamesStayWithinThirtyCharactersAndEndInside) {
    startdialog();
    std::memset(types[6].name, 'z', 31); // 31 characters: read up to its end
    buildeditunit(6);
    EXPECT_EQ(text(NAME).text, std::string(30, 'z')) << "the field holds at most 30";
    dialoginput(WM_LBUTTONDOWN, 1, makelparam(text(NAME).x + 2, text(NAME).y + 2));
    dialoginput(WM_KEYDOWN, VK_END, 0);
    dialoginput(WM_CHAR, 'q', 1);
    EXPECT_EQ(text(NAME).text.size(), 30u);
    dialog_ok();
    EXPECT_EQ(boxresult, 1);
    EXPECT_EQ(std::strlen(types[6].name), 30u);
    EXPECT_EQ(types[6].name[30], 0);
    EXPECT_EQ(types[6].name[31], 0);
    boxresult = 255;
}
