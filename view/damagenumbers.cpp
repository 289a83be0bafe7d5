#include "view/damagenumbers.h"

damagenumberrec damagenumber[MAXDAMAGENUMBERS];

void startdamagenumber(i32 value, i32 cell, i32 mode) {
    for (damagenumberrec& d : damagenumber) {
        if (d.active) continue;
        d = damagenumberrec{};
        d.active = 1;
        d.timer = 30;
        d.value = value;
        d.cell = cell;
        d.mode = mode;
        return;
    }
}

void cleardamagenumbers() {
    for (damagenumberrec& d : damagenumber) d = damagenumberrec{};
}
