#include "editor/compileunits.h"

#include <cstdio>
#include <vector>

#include "app/memory.h"
#include "editor/encodepicture.h"
#include "platform/ddraw.h"
#include "platform/files.h"
#include "text/boxes.h"
#include "video/display.h"
#include "video/presentframe.h"
#include "video/sprite.h"
#include "video/vscreen.h"
#include "world/rle.h"
#include "world/unittype.h"

static const char* const facingprefix[8] = {"n_", "ne_", "e_", "se_", "s_", "sw_", "w_", "nw_"};
static const char* const actionfolder[3] = {"walk\\", "attack\\", "stand\\"};

// Walk frames k and k + 8 (k = 1..7) are cut from a box moved ahead along
// the step, by facing, so the figure stays on its cell while its drawing
// walks through the bitmap.
static const int walkshift[8][7][2] = {
    {{17, -8}, {15, -7}, {12, -6}, {10, -5}, {7, -3}, {5, -2}, {2, -1}},
    {{35, 0}, {30, 0}, {25, 0}, {20, 0}, {15, 0}, {10, 0}, {5, 0}},
    {{17, 8}, {15, 7}, {12, 6}, {10, 5}, {7, 3}, {5, 2}, {2, 1}},
    {{0, 17}, {0, 15}, {0, 12}, {0, 10}, {0, 7}, {0, 5}, {0, 2}},
    {{-17, 8}, {-15, 7}, {-12, 6}, {-10, 5}, {-7, 3}, {-5, 2}, {-2, 1}},
    {{-35, 0}, {-30, 0}, {-25, 0}, {-20, 0}, {-15, 0}, {-10, 0}, {-5, 0}},
    {{-17, -8}, {-15, -7}, {-12, -6}, {-10, -5}, {-7, -3}, {-5, -2}, {-2, -1}},
    {{0, -17}, {0, -15}, {0, -12}, {0, -10}, {0, -7}, {0, -5}, {0, -2}},
};

const char* unitclassprefix(int set) {
    if (set == 2) return "archer_";
    if (set == 4) return "mage_";
    if (set == 5) return "cleric_";
    return "fighter_";
}

int unitfilenumber(int action, int frame) {
    if (action != ACTION_WALK) return frame + 1;
    return frame <= 9 ? frame + 7 : frame - 9;
}

std::string unitpicsfolder(int set) {
    std::string own = "Unit Pics\\" + std::to_string(set);
    return plat_listdir(own.c_str(), "*").empty() ? "Unit Pics\\" : own + "\\";
}

std::string unitbitmapname(int set, int action, int facingindex, int frame, const std::string& folder) {
    char num[16];
    std::snprintf(num, sizeof num, "%.4d", unitfilenumber(action, frame));
    return folder + unitclassprefix(set) + actionfolder[action] + facingprefix[facingindex] + num + ".bmp";
}

void unitboxshift(int action, int facingindex, int frame, int* dx, int* dy) {
    int k = frame % 8;
    *dx = *dy = 0;
    if (action != ACTION_WALK || k == 0) return;
    *dx = walkshift[facingindex][k - 1][0];
    *dy = walkshift[facingindex][k - 1][1];
}

// A bitmap drawbitmap would refuse (and end the program over) is caught here.
static bool bitmapreadable(const std::string& name) {
    platbitmap* b = plat_loadbitmap(name.c_str());
    if (!b) return false;
    bool ok = b->width > 0 && b->height > 0;
    plat_freebitmap(b);
    return ok;
}

static u16 as555(u16 p) { return pixelformat == 2 ? (u16)(((p >> 11) & 31) << 10 | ((p >> 6) & 31) << 5 | (p & 31)) : p; }

// Frames are compared and stored in 5-5-5, whatever the display runs in, so
// the colour rules (the key, the four shadow colours) and the bytes written
// are the same in both modes.
static bool compileframe(const std::string& name, int a, int f, int k, std::vector<u8>* out) {
    int dx, dy;
    unitboxshift(a, f, k, &dx, &dy);
    i32 bx = 20 + dx, by = 80 + dy;
    clearvsall();
    drawbitmap(name.c_str(), 0, 0);
    presentframe();

    // Everything outside the bitmap takes the key colour, so the box's
    // overhang is left out like the bitmap's own background.
    beginvsdraw();
    u16 key = *vspixel(0, 0);
    u16* from = vspixel(bx, by);
    u16* end = (u16*)(vsptr + VSBYTES);
    for (i64 n = 0; n < 480 * VSPITCH && from + n < end; n++) from[n] = key;
    endvsdraw();
    drawbitmap(name.c_str(), 0, 0);
    presentframe();

    std::vector<u16> rows((size_t)VSPITCH * UNITFRAMEHEIGHT);
    beginvsdraw();
    for (i32 r = 0; r < UNITFRAMEHEIGHT; r++) {
        const u16* line = vspixel(-VSLEFT, by + r);
        for (i32 x = 0; x < VSPITCH; x++) rows[(size_t)r * VSPITCH + x] = as555(line[x]);
    }
    endvsdraw();
    encodebox box{VSLEFT + bx, 0, UNITFRAMEWIDTH, UNITFRAMEHEIGHT, as555(key), true};
    if (!encodepicture(rows.data(), VSPITCH, UNITFRAMEHEIGHT, box, out)) return false;
    if (pixelformat == 2) rleto565(out->data(), (u32)out->size());
    return true;
}

bool compileunitpics(int s) {
    if (s < 0 || s >= NUMUNITTYPES) return false;
    std::vector<std::vector<u8>> frames(UNITFRAMES);
    size_t total = 0;
    const std::string folder = unitpicsfolder(s);
    for (int a = 0; a < 3; a++)
        for (int f = 0; f < 8; f++)
            for (int k = 0; k < 16; k++) {
                std::string name = unitbitmapname(s, a, f, k, folder);
                char text[200];
                if (!bitmapreadable(name)) {
                    std::snprintf(text, sizeof text, "Unit picture missing or unreadable: %s", name.c_str());
                    okbox(text);
                    return false;
                }
                std::vector<u8>& out = frames[(size_t)unitframeindex(a, f, k)];
                if (!compileframe(name, a, f, k, &out)) {
                    std::snprintf(text, sizeof text, "Unit picture too large to store: %s", name.c_str());
                    okbox(text);
                    return false;
                }
                total += out.size();
            }

    // Every frame is in hand: the set is replaced in one go, frames packed
    // in order as the save writes them.
    u8* raw = total ? (u8*)gamealloc(total, "uniteditor") : nullptr;
    u32* dir = unitpicdir + s * 768;
    u32 offset = 0;
    for (int i = 0; i < UNITFRAMES; i++) {
        const std::vector<u8>& fr = frames[(size_t)i];
        for (size_t b = 0; b < fr.size(); b++) raw[offset + b] = fr[b];
        dir[i] = offset;
        dir[UNITFRAMES + i] = (u32)fr.size();
        unitframe[s][i] = fr.empty() && i != 0 ? nullptr : raw + offset;
        offset += (u32)fr.size();
    }
    if (unitpicloaded[s] && unitpicraw[s]) gamefree(unitpicraw[s], unitpicrawsize[s]);
    unitpicraw[s] = raw;
    unitpicrawsize[s] = (u32)total;
    unitpicloaded[s] = 1;
    return true;
}
