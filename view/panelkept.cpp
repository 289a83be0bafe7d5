#include "view/panelkept.h"

#include <cstring>
#include <vector>

#include "text/font.h"
#include "video/display.h"
#include "video/vscreen.h"
#include "view/panel.h"

// The mission panel as last drawn, and everything it was drawn from: its
// text and bars cost as much as a good part of the map, and they change only
// now and then. Kept whole, the panel comes back as 80 copied rows.
struct panelinputs {
    u8 format;
    u16 frame, masks[3];
    const glyph* tables[3];
    u32 picwidth[3];
    u8 height[3];
    bool operator==(const panelinputs&) const = default;
};

static struct {
    bool valid;
    panelinputs inputs;
    panelscene scene;                      // what it drew over the picture
    u16 picture[PANELWIDTH * PANELHEIGHT]; // the working panel it was drawn on
    u16 rows[PANELWIDTH * PANELHEIGHT];    // what it drew
    u16 text[3];                           // the text colour it left behind
    std::vector<u8> glyphs[3];             // the fonts' pictures it was drawn with
} kept;

static const int panelfonts[3] = {3, 5, 6};

static size_t glyphbytes(int f) { return font[f].picture ? (size_t)font[f].picwidth * font[f].height : 0; }

static bool sameglyphs() {
    for (int k = 0; k < 3; k++) {
        const fontrec& f = font[panelfonts[k]];
        size_t n = glyphbytes(panelfonts[k]);
        if (kept.glyphs[k].size() != n || (n && std::memcmp(kept.glyphs[k].data(), f.picture, n) != 0)) return false;
    }
    return true;
}

static panelinputs panelnow() {
    panelinputs in{};
    in.format = pixelformat, in.frame = framecolour;
    in.masks[0] = rmask, in.masks[1] = gmask, in.masks[2] = bmask;
    for (int k = 0; k < 3; k++) {
        const fontrec& f = font[panelfonts[k]];
        in.tables[k] = f.table, in.picwidth[k] = f.picwidth, in.height[k] = f.height;
    }
    return in;
}

static bool keptpanelholds(const panelinputs& in, const panelscene& scene) {
    return panelpicture && kept.valid && !textalt && in == kept.inputs &&
           std::memcmp(&scene, &kept.scene, sizeof scene) == 0 &&
           std::memcmp(panelpicture, kept.picture, sizeof kept.picture) == 0 && sameglyphs();
}

void keeppanel(const panelscene& scene) {
    kept.valid = panelpicture && !textalt;
    if (!kept.valid) return;
    kept.inputs = panelnow();
    std::memcpy(&kept.scene, &scene, sizeof scene);
    std::memcpy(kept.picture, panelpicture, sizeof kept.picture);
    for (int row = 0; row < PANELHEIGHT; row++) std::memcpy(kept.rows + row * PANELWIDTH, vspixel(0, PANELTOP + row), PANELWIDTH * 2);
    kept.text[0] = textr, kept.text[1] = textg, kept.text[2] = textb;
    for (int k = 0; k < 3; k++) {
        const u8* pic = font[panelfonts[k]].picture;
        kept.glyphs[k].assign(pic, pic + glyphbytes(panelfonts[k]));
    }
}

bool putkeptpanel(const panelscene& scene) {
    if (!keptpanelholds(panelnow(), scene)) return false;
    for (int row = 0; row < PANELHEIGHT; row++) std::memcpy(vspixel(0, PANELTOP + row), kept.rows + row * PANELWIDTH, PANELWIDTH * 2);
    textr = kept.text[0], textg = kept.text[1], textb = kept.text[2];
    return true;
}
