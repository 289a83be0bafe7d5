#include "view/gamebitmaps.h"

#include "text/widget.h"
#include "video/picture.h"
#include "video/sprite.h"

// The mission's panel, clouds, arrows, digits and markers join this list, in
// their order, with the map view.
void loadgamebitmaps() {
    clearsprites();
    buildrgb333();
    buttonskin = loadandunpackbmp("bitmaps\\buttons\\button1.bmp", {SKINWIDTH, SKINHEIGHT});
}
