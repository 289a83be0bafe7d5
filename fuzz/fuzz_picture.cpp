// Pictures the program uses at a fixed size: the cursor picture, cut into
// 32 x 32 cells for every frame, and the button skin, cut into button faces.
// The input is a selector byte, then a BMP file: even, the cursor picture
// (the display comes up with it and shows one frame); odd, the button skin
// (loaded with the game's pictures and drawn as buttons of several widths).
#include <cstdint>
#include <cstdlib>

#include "app/cursor.h"
#include "app/exitgame.h"
#include "fuzz/fuzzenv.h"
#include "platform/platform.h"
#include "text/widget.h"
#include "video/display.h"
#include "video/picture.h"
#include "video/presentframe.h"
#include "view/gamebitmaps.h"

static void drawbuttons() {
    static const i32 shapes[][3] = {{4, 0, 0}, {120, 300, 1}, {512, 0, 0}, {200, 400, 1}, {600, -5, 0}};
    for (const auto& s : shapes) {
        widgetrec& w = widget[0];
        w = widgetrec{};
        w.x = 40;
        w.y = 100;
        w.width = s[0];
        w.skinoffset = s[1];
        w.pressed = (u8)s[2];
        drawwidget(0);
    }
}

// The display comes up once, with a good cursor picture, before the first
// run, so that it outlives each run's allocations.
static void setup() {
    fuzzstart();
    fuzzwrite("resources\\CURSORS.bmp", fuzzsolidbmp(CURSORWIDTH, CURSORHEIGHT, 0x102030));
    bool up = false;
    if (!fuzzrun([&] { up = initdirectdraw() == 1; }) || !up) std::abort();
    buildrgb333();
    cursorvisible = 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = false;
    if (!ready) setup();
    ready = true;
    if (size < 1) return 0;
    bool cursor = (data[0] & 1) == 0;
    bool loaded = false;
    if (cursor) {
        loaded = parsecursorpicture(data + 1, size - 1) == nullptr;
        // Every shape the game sets, each drawn once.
        if (loaded)
            for (u8 mode = 1; mode <= 46; mode++) {
                setcursormode(mode);
                presentframe();
            }
    } else {
        buttonskin = nullptr;
        loaded = unpackbmpbytes(data + 1, size - 1, {SKINWIDTH, SKINHEIGHT}, &buttonskin) == nullptr;
        if (loaded) drawbuttons();
        // It went with the run's allocations.
        buttonskin = nullptr;
    }
    fuzzoutcome(loaded);
    fuzzrounddone();
    return 0;
}
