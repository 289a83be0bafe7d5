#pragma once
// Dialogs drawn by the game: one modal dialog at a time, built from text
// fields, check boxes, combo lists, row lists and the Ok and Cancel buttons.
// The screen that opens one fills `dialog` with dialog_begin and the add
// functions, then runs it under its own game state with dialog_run.
#include <string>
#include <vector>

#include "platform/types.h"

enum : u8 { DC_LABEL, DC_TEXT, DC_CHECK, DC_COMBO, DC_LIST, DC_OK, DC_CANCEL };

constexpr int DIALOGMAXCONTROLS = 48;
constexpr i32 DIALOGROW = 14;          // height of a row in lists and fields
constexpr u32 DOUBLECLICKTICKS = 30;   // a second press on a row within this is a double click
constexpr i32 DIALOGSCROLLW = 12;      // the scroll strip at a list's right edge

struct dlgcontrol {
    u8 kind;
    i32 x, y, w, h;
    char label[48];                  // labels, check boxes and buttons
    std::string text;                // text fields
    u32 caret;                       // 0..text.size()
    u32 maxlen;
    u8 digits;                       // a number field takes digits only
    u8 checked;
    std::vector<std::string> items;  // combo and row lists
    i32 sel;                         // selected row, -1 for none
    i32 top;                         // first row shown
    i32 rows;                        // rows a list shows (an open combo list too)
};

struct dialogrec {
    char title[64];
    i32 x, y, w, h;
    dlgcontrol ctl[DIALOGMAXCONTROLS];
    int count;
    int focus;     // control with the keyboard, -1 for none
    int openlist;  // combo whose list is open over the dialog, -1 for none
    int clickctl;  // the last press on a row, for double clicks
    i32 clickrow;
    u32 clicktick;
    char flash[64];  // a refusal shown at a field for a while
    int flashctl;
    u32 flashuntil;
    // Asked when Ok is taken; false keeps the dialog open (it has flashed why).
    bool (*accept)();
    // A double click on row `row` of list `ctl`, or Enter on a list with focus.
    void (*activate)(int ctl, i32 row);
};

extern dialogrec dialog;

void dialog_begin(const char* title, i32 x, i32 y, i32 w, i32 h);
// Each returns the control's index, -1 when the dialog is full. Positions
// are on the screen.
int dialog_label(i32 x, i32 y, const char* text);
int dialog_text(i32 x, i32 y, i32 w, const char* text, u32 maxlen, bool digits);
int dialog_check(i32 x, i32 y, const char* label, bool checked);
int dialog_combo(i32 x, i32 y, i32 w, const std::vector<std::string>& items, i32 sel);
int dialog_list(i32 x, i32 y, i32 w, i32 rows);
// Ok and Cancel side by side, Ok at (x, y).
void dialog_buttons(i32 x, i32 y);
void dialog_setitems(int c, std::vector<std::string> items);

// Shows why Ok was refused, under control c, and gives it the focus.
void dialog_flash(int c, const char* text);
// Tries to close with Ok: boxresult 1 unless accept refuses.
void dialog_ok();

// Runs the dialog as a screen in game state `state`: 1 for Ok, 0 for Cancel.
u8 dialog_run(u8 state);
void dialoginput(u32 message, u32 wparam, i32 lparam);
// Draws the dialog over the screen kept when it opened, and presents.
void dialog_draw();
void dialog_keepbackground();
void dialog_dropbackground();

// Control c's row under screen point (x, y) (lists, or an open combo list),
// -1 when none.
i32 dialog_rowat(int c, i32 x, i32 y);
// Selects row r of a list (clamped) and scrolls it into view.
void dialog_select(int c, i32 r);
