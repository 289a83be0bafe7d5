#include "editor/landeditor.h"

#include <cstdio>
#include <string>

#include "app/cursor.h"
#include "app/exitgame.h"
#include "app/gamestate.h"
#include "app/input.h"
#include "app/messagepump.h"
#include "app/redrawscreen.h"
#include "editor/filedialog.h"
#include "editor/pageloop.h"
#include "editor/landcut.h"
#include "editor/mapeditor.h"
#include "editor/maptools.h"
#include "editor/selectlist.h"
#include "platform/winmsg.h"
#include "text/boxes.h"
#include "text/font.h"
#include "video/presentframe.h"
#include "video/sprite.h"
#include "video/vscreen.h"
#include "view/objectpics.h"
#include "view/panel.h"
#include "world/grids.h"

i32 landfirst = 0;
i32 landselected = 0;
landhitbox landhit[LANDPAGETILES];

static const picsize UPDOWNSIZE = {20, 40};
static const picsize SCROLLBARSIZE = {20, 440};
static const picsize SCROLLBOXSIZE = {20, 16};

// A page past 1184 would show tiles that do not exist.
static i32 clamppage(i32 first) {
    if (first < 0) return 0;
    return first > LANDLASTPAGE ? LANDLASTPAGE : first;
}

i32 landpagefor(i32 land) { return clamppage(land / LANDPAGETILES * LANDPAGETILES); }

static i32 selectedland() { return landfirst + landselected; }

static void drawsection(i32 first, i32 x, i32 y) {
    for (int k = 0; k < 16; k++) {
        i32 a = sectioncell[k][0], b = sectioncell[k][1];
        if (first + k < NUMLANDTYPES) drawlandtile(first + k, x + 20 * (b - a), y - 10 * (a + b));
    }
}

void drawlandeditor() {
    clearvs();
    for (int i = 0; i < LANDPAGETILES; i++) {
        i32 g = i / 16, k = i % 16;
        i32 a = sectioncell[k][0], b = sectioncell[k][1];
        landhit[i] = {520 + 20 * (b - a), 80 * g + 60 - 10 * (a + b)};
        if (landfirst + i < NUMLANDTYPES) drawlandtile(landfirst + i, landhit[i].x, landhit[i].y);
    }
    char text[32];
    std::snprintf(text, sizeof text, "landno: %d", selectedland());
    u8 keep = currentfont;
    currentfont = 5;
    settextcolour555(31, 31, 31);
    drawtext(text, 460, 468);
    currentfont = keep;
    drawbitmap("Bitmaps\\Editor\\updown.bmp", 620, 440, UPDOWNSIZE);
    drawbitmap("Bitmaps\\Editor\\scrollbar.bmp", 620, 0, SCROLLBARSIZE);
    drawbitmap("Bitmaps\\Editor\\scrollbox.bmp", 620, (i32)(landfirst / 16 * 11 / 2), SCROLLBOXSIZE);
    if (selectedland() % 16 == 0 && selectedland() != 0) drawsection(selectedland(), 300, 300);
}

static void scrollto(i32 y) { landfirst = clamppage(16 * (i32)(y * 0.1818182)); }

static void hover() {
    int hit = -1;
    for (int i = 0; i < LANDPAGETILES; i++)
        if (landhit[i].x <= mousex && mousex < landhit[i].x + 40 && landhit[i].y <= mousey && mousey < landhit[i].y + 20)
            hit = i;
    if (hit >= 0) landselected = hit / 16 * 16;
}

static void landeditoptions() {
    listcount = 0;
    addlistentry("Edit Land", 1);
    addlistentry("Create New Land Section", 0);
    runselectlist();
    if (listchoice == 2) boxresult = LANDCREATE;
}

void landeditinput(u32 message, u32 wparam, i32) {
    if (mousex < 510) return;
    switch (message) {
    case WM_LBUTTONDOWN:
        if (mousex > 620 && mousex < 640 && mousey > 440 && mousey < 460) {
            if (landfirst - 16 >= 0) landfirst -= 16;
            redrawscreen();
        } else if (mousex > 620 && mousex < 640 && mousey > 460 && mousey < 480) {
            if (landfirst + 16 <= LANDLASTPAGE) landfirst += 16;
            redrawscreen();
        } else if (mousex > 620 && mousex < 640 && mousey < 440) {
            scrollto(mousey);
        } else {
            currentland = selectedland();
            boxresult = 1;
        }
        break;
    case WM_MOUSEMOVE:
        if (mousex < 621 || mousey > 439 || !lbuttondown) hover();
        else scrollto(mousey);
        break;
    case WM_KEYDOWN:
        if (wparam == VK_RETURN || wparam == VK_ESCAPE) boxresult = 1;
        break;
    case WM_RBUTTONDOWN: landeditoptions(); break;
    default: break;
    }
}

static std::string filename(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A bitmap that cannot be read is named and nothing changes.
static bool showsource() {
    if (drawlandsource(chosenpath.c_str())) return true;
    std::string text = "Unable to load " + filename(chosenpath);
    okbox(text.c_str());
    return false;
}

// Each creation starts in "terrain"; only a No within it reopens the
// dialog where it was left.
static bool choosesource() {
    reopenfiledir = 0;
    bool taken = false;
    for (bool chosen = choosefile("terrain", PICTUREFILES); chosen && showsource(); chosen = choosefile("terrain", PICTUREFILES)) {
        if (confirmbox("Use this one?")) {
            taken = true;
            break;
        }
        reopenfiledir = 1;
    }
    reopenfiledir = 0;
    return taken;
}

static void createsection(i32 n) {
    if (!choosesource()) return;
    if (!drawlandsource(chosenpath.c_str())) return;
    cutlandsection(n);
}

// Every way out writes the tiles; a failed write is reported and the user
// chooses between staying (the edits are still in memory) and leaving.
static bool saveandleave() {
    boxresult = 255;
    showmessage("Saving Terrain Data ...");
    std::string why;
    if (saveterrain(&why)) return true;
    std::string text = "Terrain not saved: " + why;
    okbox(text.c_str());
    return confirmbox("Leave without saving?");
}

u32 runlandeditor() {
    if (gamestate == GS_LANDEDITOR) return 0;
    setcursormode(20);
    pushgamestate(gamestate);
    gamestate = GS_LANDEDITOR;
    fullview = 1;
    landfirst = landpagefor(currentland);
    if (landselected < 0 || landselected > LANDPAGETILES - 16) landselected = 0;
    landselected = landselected / 16 * 16;
    for (;;) {
        u8 result = runeditorpage();
        if (result == LANDCREATE) createsection(selectedland());
        else if (saveandleave()) break;
    }
    gamestate = popgamestate();
    redrawscreen();
    return 1;
}
