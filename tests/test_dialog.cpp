// The in-game dialog toolkit: typing and editing in text fields, focus
// order, check boxes, combo lists over the dialog, row lists with their
// double click, and how Enter and Escape close a dialog or only its list.
#include <gtest/gtest.h>

#include "app/gamestate.h"
#include "app/input.h"
#include "app/timer.h"
#include "platform/backend.h"
#include "platform/platform.h"
#include "text/dialog.h"
#include "testenv.h"

static void key(u32 vk) { dialoginput(WM_KEYDOWN, vk, 0); }
static void type(const char* s) {
    for (; *s; s++) dialoginput(WM_CHAR, (u8)*s, 1);
}
static void click(i32 x, i32 y) {
    mousex = 0;
    mousey = 0;
    dialoginput(WM_LBUTTONDOWN, 1, makelparam(x, y));
}

// A name field, a number field, a check box, a combo, a list, Ok and Cancel.
struct sample {
    int name, number, check, combo, list;
};

static sample makesample() {
    starttestplatform();
    boxresult = 255;
    tickcount = 1000;
    sample s;
    dialog_begin("Test", 100, 50, 440, 380);
    dialog_label(110, 70, "Name");
    s.name = dialog_text(200, 70, 200, "ab", 10, false);
    s.number = dialog_text(200, 100, 80, "12", 3, true);
    s.check = dialog_check(200, 130, "Used", false);
    s.combo = dialog_combo(200, 160, 150, {"zero", "one", "two", "three"}, 1);
    s.list = dialog_list(200, 200, 200, 5);
    std::vector<std::string> rows;
    for (int i = 0; i < 12; i++) rows.push_back("row " + std::to_string(i));
    dialog_setitems(s.list, rows);
    dialog_buttons(200, 380);
    return s;
}

TEST(Dialog, TextFieldsEditAtTheCaret) {
    sample s = makesample();
    EXPECT_EQ(dialog.focus, s.name) << "the first control that takes input has the focus";
    dlgcontrol& t = dialog.ctl[s.name];
    EXPECT_EQ(t.caret, 2u) << "the caret starts after the text";
    type("cd");
    EXPECT_EQ(t.text, "abcd");
    key(VK_HOME);
    type("X");
    EXPECT_EQ(t.text, "Xabcd");
    EXPECT_EQ(t.caret, 1u);
    key(VK_RIGHT);
    key(VK_BACK);
    EXPECT_EQ(t.text, "Xbcd");
    key(VK_DELETE);
    EXPECT_EQ(t.text, "Xcd");
    key(VK_END);
    key(VK_DELETE);
    EXPECT_EQ(t.text, "Xcd") << "Delete at the end removes nothing";
    key(VK_RIGHT);
    EXPECT_EQ(t.caret, 3u) << "Right stops at the end";
    key(VK_HOME);
    key(VK_LEFT);
    key(VK_BACK);
    EXPECT_EQ(t.caret, 0u);
    EXPECT_EQ(t.text, "Xcd") << "Backspace at the start removes nothing";
    type("1234567890");
    EXPECT_EQ(t.text.size(), 10u) << "no more than the field's length";
    EXPECT_EQ(t.text, "1234567Xcd");
    dialoginput(WM_CHAR, 9, 1);
    dialoginput(WM_CHAR, 200, 1);
    EXPECT_EQ(t.text, "1234567Xcd") << "control and non-ASCII characters are not typed";

    key(VK_TAB);
    ASSERT_EQ(dialog.focus, s.number);
    type("a-4");
    EXPECT_EQ(dialog.ctl[s.number].text, "124") << "a number field takes digits only, up to its length";
    EXPECT_EQ(boxresult, 255);
}

TEST(Dialog, TabAndShiftTabWalkTheControlsRoundSkippingLabels) {
    sample s = makesample();
    int order[] = {s.name, s.number, s.check, s.combo, s.list, s.list + 1, s.list + 2, s.name};
    for (int i = 1; i < 8; i++) {
        key(VK_TAB);
        EXPECT_EQ(dialog.focus, order[i]) << i;
    }
    key(VK_SHIFT);
    key(VK_TAB);
    EXPECT_EQ(dialog.focus, s.list + 2) << "Shift+Tab from the first goes round to Cancel";
    key(VK_TAB);
    EXPECT_EQ(dialog.focus, s.list + 1);
    dialoginput(WM_KEYUP, VK_SHIFT, 0);
    key(VK_TAB);
    EXPECT_EQ(dialog.focus, s.list + 2) << "Shift let go: forward again";
    EXPECT_EQ(dialog.ctl[s.list + 1].kind, DC_OK);
    EXPECT_EQ(dialog.ctl[s.list + 2].kind, DC_CANCEL);
}

TEST(Dialog, CheckBoxesToggleByClickAndSpace) {
    sample s = makesample();
    click(201, 131);
    EXPECT_EQ(dialog.ctl[s.check].checked, 1);
    EXPECT_EQ(dialog.focus, s.check);
    key(VK_SPACE);
    EXPECT_EQ(dialog.ctl[s.check].checked, 0);
    click(199, 131);
    EXPECT_EQ(dialog.ctl[s.check].checked, 0) << "left of the box is outside it";
    EXPECT_EQ(boxresult, 255);
}

TEST(Dialog, AComboOpensOverTheDialogAndEscapeOnlyClosesIt) {
    sample s = makesample();
    dlgcontrol& c = dialog.ctl[s.combo];
    click(210, 165);
    ASSERT_EQ(dialog.openlist, s.combo);
    // Rows hang below the combo: row 0 at y 160 + 18 + 2.
    EXPECT_EQ(dialog_rowat(s.combo, 210, 180), 0);
    EXPECT_EQ(dialog_rowat(s.combo, 210, 180 + 3 * DIALOGROW), 3);
    EXPECT_EQ(dialog_rowat(s.combo, 210, 180 + 4 * DIALOGROW), -1) << "four rows only";
    key(VK_DOWN);
    EXPECT_EQ(c.sel, 2);
    key(VK_ESCAPE);
    EXPECT_EQ(dialog.openlist, -1);
    EXPECT_EQ(boxresult, 255) << "Escape closed the list, not the dialog";
    // A press on a row of the open list picks it and closes the list, and
    // the press does not reach the control under it (the list at y 200).
    click(210, 165);
    click(210, 180 + 3 * DIALOGROW + 1);
    EXPECT_EQ(c.sel, 3);
    EXPECT_EQ(dialog.openlist, -1);
    EXPECT_EQ(dialog.ctl[s.list].sel, 0) << "the row list under the open list was not pressed";
    // Enter in an open list takes its row and leaves the dialog open.
    key(VK_SPACE);
    ASSERT_EQ(dialog.openlist, s.combo);
    key(VK_UP);
    key(VK_RETURN);
    EXPECT_EQ(c.sel, 2);
    EXPECT_EQ(dialog.openlist, -1);
    EXPECT_EQ(boxresult, 255);
    // Closed, the arrows still step through the choices.
    key(VK_UP);
    key(VK_UP);
    key(VK_UP);
    EXPECT_EQ(c.sel, 0);
    key(VK_ESCAPE);
    EXPECT_EQ(boxresult, 0) << "with no list open Escape cancels";
}

static int activatedctl, activatedrow;
static void remember(int c, i32 r) {
    activatedctl = c;
    activatedrow = r;
}

TEST(Dialog, ListsScrollSelectAndTakeADoubleClickOnTheSameRowWithinThirtyTicks) {
    sample s = makesample();
    dialog.activate = remember;
    activatedctl = activatedrow = -1;
    dlgcontrol& l = dialog.ctl[s.list];
    i32 row0 = 202, x = 210;
    click(x, row0 + 2 * DIALOGROW);
    EXPECT_EQ(l.sel, 2);
    tickcount = tickcount + DOUBLECLICKTICKS;
    click(x, row0 + 2 * DIALOGROW + 5);
    EXPECT_EQ(activatedrow, 2) << "second press within 30 ticks";
    EXPECT_EQ(activatedctl, s.list);
    activatedrow = -1;
    click(x, row0 + 2 * DIALOGROW);
    tickcount = tickcount + DOUBLECLICKTICKS + 1;
    click(x, row0 + 2 * DIALOGROW);
    EXPECT_EQ(activatedrow, -1) << "31 ticks is too late";
    click(x, row0 + 3 * DIALOGROW);
    EXPECT_EQ(activatedrow, -1) << "a press on another row is a new first press";
    EXPECT_EQ(l.sel, 3);
    click(x, row0 + 3 * DIALOGROW);
    EXPECT_EQ(activatedrow, 3);
    // The keys scroll the five rows shown over the twelve.
    key(VK_END);
    EXPECT_EQ(l.sel, 11);
    EXPECT_EQ(l.top, 7);
    key(VK_PRIOR);
    EXPECT_EQ(l.sel, 6);
    EXPECT_EQ(l.top, 6);
    key(VK_HOME);
    EXPECT_EQ(l.top, 0);
    key(VK_NEXT);
    key(VK_NEXT);
    key(VK_NEXT);
    EXPECT_EQ(l.sel, 11);
    key(VK_UP);
    EXPECT_EQ(l.sel, 10);
    EXPECT_EQ(l.top, 7);
    EXPECT_EQ(dialog_rowat(s.list, x, row0), 7) << "row under the mouse counts from the first shown";
    // The scroll strip at the right moves the view, not the selection.
    i32 strip = 200 + 200 - 2 - DIALOGSCROLLW + 1;
    click(strip, row0 + 1);
    EXPECT_EQ(l.top, 6);
    click(strip, row0 + 5 * DIALOGROW - 1);
    click(strip, row0 + 5 * DIALOGROW - 1);
    EXPECT_EQ(l.top, 7) << "never past the last row";
    EXPECT_EQ(l.sel, 10);
    // Enter on a list with focus acts on its row.
    activatedrow = -1;
    key(VK_RETURN);
    EXPECT_EQ(activatedrow, 10);
    EXPECT_EQ(boxresult, 255);
}

static bool refuse() {
    dialog_flash(0, "No!");
    return false;
}

TEST(Dialog, EnterIsOkUnlessRefusedAndTheButtonsAnswer) {
    sample s = makesample();
    key(VK_RETURN);
    EXPECT_EQ(boxresult, 1);
    s = makesample();
    dialog.accept = refuse;
    dialog.focus = s.number;
    key(VK_RETURN);
    EXPECT_EQ(boxresult, 255) << "refused";
    EXPECT_STREQ(dialog.flash, "No!");
    EXPECT_EQ(dialog.focus, 0) << "the field that was refused has the focus";
    EXPECT_GT(dialog.flashuntil, (u32)tickcount);
    click(201, 381);
    EXPECT_EQ(boxresult, 255) << "the Ok button asks too";
    dialog.accept = nullptr;
    click(201, 381);
    EXPECT_EQ(boxresult, 1);
    boxresult = 255;
    click(297, 381);
    EXPECT_EQ(boxresult, 0) << "Cancel";
    boxresult = 255;
    dialog.focus = s.list + 2;
    key(VK_RETURN);
    EXPECT_EQ(boxresult, 0) << "Enter on Cancel cancels";
}

TEST(Dialog, AFullDialogRefusesMoreControls) {
    makesample();
    while (dialog.count < DIALOGMAXCONTROLS) ASSERT_GE(dialog_label(0, 0, "x"), 0);
    EXPECT_EQ(dialog_text(0, 0, 10, "", 5, false), -1);
    EXPECT_EQ(dialog.count, DIALOGMAXCONTROLS);
}
