#pragma once
// The item editor: pages of 32 item types, the item under the pointer
// following it, deleting, creating from bitmaps and the Edit Item dialog;
// items.dat and items.raw are written on leaving.
#include "platform/types.h"

constexpr int ITEMSPERPAGE = 32;
constexpr i32 LASTPAGEDOWN = 4056; // paging down never passes this first item
constexpr u8 ITEMRESULT_CREATE = 11;

extern i32 itemfirst;    // first item of the page, a multiple of 32
extern i32 itemselected; // 0..31 on the page
// Where each item of the page was drawn: the corner of its 80 x 100 hit box.
extern i32 itemhitx[ITEMSPERPAGE], itemhity[ITEMSPERPAGE];

// The selected item's number.
i32 selecteditem();
u32 runitemeditor();
void itemeditinput(u32 message, u32 wparam, i32 lparam);
// The page as redrawscreen paints it in GS_ITEMEDITOR.
void drawitempage();
// Deletes item n (all parts of a large item) after a Yes; sections of a
// large item are refused without a word.
void deleteitem(i32 n);
// Clears item n's record and frees its picture.
void clearitemrecord(i32 n);
// The items a large item at n covers, cut at the last item number.
i32 itemparts(i32 n);
