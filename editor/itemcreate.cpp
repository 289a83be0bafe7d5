#include "editor/itemcreate.h"

#include <cstdio>
#include <cstring>

#include "app/memory.h"
#include "editor/edititem.h"
#include "editor/encodepicture.h"
#include "editor/filedialog.h"
#include "editor/mapeditor.h"
#include "editor/setsections.h"
#include "platform/ddraw.h"
#include "text/boxes.h"
#include "video/display.h"
#include "video/picture.h"
#include "video/sprite.h"
#include "video/vscreen.h"
#include "world/itemtype.h"

i32 cutboxw = 0, cutboxh = 0;

// The widest and tallest picture a record can describe (its sizes are bytes).
static constexpr i32 MAXPICSIDE = 255;
// A bitmap taller than this is offered a split.
static constexpr i32 SPLITABOVE = 40;

bool plancut(i32 n, i32 w, i32 h, bool large, std::vector<cutpart>* parts, std::string* why) {
    parts->clear();
    char text[96];
    if (w < 1 || h < 1 || w > MAXPICSIDE || h > MAXPICSIDE) {
        std::snprintf(text, sizeof text, "The bitmap is %d x %d; at most 255 x 255 can be stored.", w, h);
        return *why = text, false;
    }
    if (!large) {
        cutboxw = w;
        cutboxh = h;
        // The box lies where the bitmap is drawn, so its last row is kept.
        parts->push_back({n, 0, 0, 0, CUTBITMAPROW, {}});
        return true;
    }
    cutboxw = 40;
    cutboxh = h + (4 - g_ysize - g_xsize) * 10;
    if (cutboxh < 1 || cutboxh > MAXPICSIDE) {
        std::snprintf(text, sizeof text, "A section would be %d rows high; it must be 1..255.", cutboxh);
        return *why = text, false;
    }
    i32 last = n + g_xsize * g_ysize - 1;
    if (n < 0 || last >= NUMITEMTYPES) {
        std::snprintf(text, sizeof text, "Items %d..%d: the last item is %d.", n, last, NUMITEMTYPES - 1);
        return *why = text, false;
    }
    for (i32 i = 0; i < g_ysize; i++)
        for (i32 j = 0; j < g_xsize; j++) {
            i32 x = g_xpos + 20 * (i - j), y = g_ypos + 20 - 10 * (i + j) - cutboxh;
            if (x < -VSLEFT || y < -VSTOP || x + cutboxw > VSWIDTH - VSLEFT || y + cutboxh > VSHEIGHT - VSTOP) {
                std::snprintf(text, sizeof text, "Section (%d, %d) lies outside the screen; move the grid.", j, i);
                return parts->clear(), *why = text, false;
            }
            parts->push_back({n + i * g_xsize + j, i, j, x, y, {}});
        }
    return true;
}

bool encodecut(std::vector<cutpart>* parts, std::string* why) {
    bool ok = true;
    beginvsdraw();
    u16* raster = vspixel(-VSLEFT, -VSTOP);
    for (cutpart& p : *parts) {
        encodebox box{p.x + VSLEFT, p.y + VSTOP, cutboxw, cutboxh, 0, false};
        if (!encodepicture(raster, VSPITCH, VSHEIGHT, box, &p.code)) {
            char text[96];
            std::snprintf(text, sizeof text, "Item %d: the picture needs more than %u bytes.", p.item, MAXPICTUREBYTES);
            *why = text;
            ok = false;
            break;
        }
    }
    endvsdraw();
    return ok;
}

bool partsinuse(const std::vector<cutpart>& parts) {
    for (const cutpart& p : parts)
        if (itemtype[p.item]->isused) return true;
    return false;
}

void commitcut(i32 n, bool large, const std::vector<cutpart>& parts) {
    for (const cutpart& p : parts) {
        itemtyperec& r = *itemtype[p.item];
        if (itemrawdataptr[p.item]) gamefree(itemrawdataptr[p.item], r.rawdatasize);
        itemrawdataptr[p.item] = nullptr;
        // What the old record said about its picture and its place in a
        // large item no longer holds; its flags stay.
        r.fileoffset = r.rawdatasize = 0;
        r.picheight = (u8)cutboxh;
        r.picwidth = (u8)cutboxw;
        r.offlimits = r.largeitem = r.xsize = r.ysize = 0;
        r.partoflargeitem = 0;
        r.xsection = r.ysection = 0;
        if (large && p.item == n) {
            r.largeitem = 1;
            r.xsize = (u8)g_xsize;
            r.ysize = (u8)g_ysize;
        } else if (large) {
            r.partoflargeitem = (u16)n;
            r.xsection = (u8)p.col;
            r.ysection = (u8)p.row;
            r.offlimits = 1;
        }
        r.rawdatasize = (u32)p.code.size();
        if (r.rawdatasize) {
            itemrawdataptr[p.item] = (u8*)gamealloc(r.rawdatasize, "itemrawdataptr");
            std::memcpy(itemrawdataptr[p.item], p.code.data(), r.rawdatasize);
        }
        r.isloaded = r.isused = 1;
    }
    // Sections take their colour from the first part's picture, so all
    // pictures are in place first.
    for (const cutpart& p : parts) itemtype[p.item]->ohmapcolor = averagecolour(2, p.item);
}

static std::string filename(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The bitmap's size, or false (and the box naming it) when it cannot be read.
static bool probebitmap(const std::string& path, i32* w, i32* h) {
    platbitmap* b = plat_loadbitmap(path.c_str());
    if (!b) {
        char text[128];
        std::snprintf(text, sizeof text, "Unable to read bitmap %.80s!", filename(path).c_str());
        okbox(text);
        return false;
    }
    *w = b->width;
    *h = b->height;
    plat_freebitmap(b);
    return true;
}

static void showbitmap(const std::string& path) {
    clearvs();
    drawbitmap(path.c_str(), 0, CUTBITMAPROW);
}

// Picks the bitmap and how it is cut; false when the user gave up.
static bool choosecut(std::string* path, i32* w, i32* h, bool* large) {
    reopenfiledir = 0;
    for (;;) {
        if (!choosefile("items", PICTUREFILES)) return false;
        *path = chosenpath;
        if (!probebitmap(*path, w, h)) return false;
        showbitmap(*path);
        if (!confirmbox("Use this one?")) {
            reopenfiledir = 1;
            continue;
        }
        showbitmap(*path);
        *large = false;
        if (*h <= SPLITABOVE) return true;
        if (!confirmbox("Split into sections?")) {
            drawbitmap(path->c_str(), 0, CUTBITMAPROW);
            return true;
        }
        if (setsections(path->c_str())) return *large = true;
        reopenfiledir = 0;
    }
}

void createitem(i32 n) {
    g_xsize = g_ysize = 1;
    if (n < 0 || n >= NUMITEMTYPES || itemtype[n]->offlimits) return;
    std::string path, why;
    i32 w = 0, h = 0;
    bool large = false;
    if (!choosecut(&path, &w, &h, &large)) return;
    std::vector<cutpart> parts;
    bool planned = plancut(n, w, h, large, &parts, &why);
    if (large) {
        char text[96];
        std::snprintf(text, sizeof text, "Should be less then 200!  picheight: %d",
                      h + (4 - g_ysize - g_xsize) * 10);
        okbox(text);
    }
    if (!planned) return okbox(why.c_str());
    if (partsinuse(parts)) {
        char text[64];
        std::snprintf(text, sizeof text, "Overwrite items %d..%d?", parts.front().item, parts.back().item);
        if (!confirmbox(text)) return;
    }
    clearvsall();
    drawbitmap(path.c_str(), 0, CUTBITMAPROW);
    if ((i32)bmpwidth != w || (i32)bmpheight != h) return okbox("The bitmap changed while it was being cut.");
    if (!encodecut(&parts, &why)) return okbox(why.c_str());
    commitcut(n, large, parts);
    currentitem = n;
    edititemdialog(n);
}
