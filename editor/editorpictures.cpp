#include "editor/editorpictures.h"

#include "app/memory.h"
#include "video/picture.h"

namespace {

struct editorpicture {
    const char* file;
    picsize size;
};

// The page arrows of the item, land and unit editors, the land editor's
// scroll bar and box, and the diamond the section grid is laid with.
const editorpicture editorpictures[] = {
    {"Bitmaps\\Editor\\updown.bmp", {20, 40}},
    {"Bitmaps\\Editor\\scrollbar.bmp", {20, 440}},
    {"Bitmaps\\Editor\\scrollbox.bmp", {20, 16}},
    {"bitmaps\\testland.bmp", {40, 20}},
};

} // namespace

void checkeditorpictures() {
    for (const editorpicture& p : editorpictures) {
        u16* pixels = loadandunpackbmp(p.file, p.size);
        gamefree(pixels, (size_t)p.size.width * p.size.height * 2);
    }
}
