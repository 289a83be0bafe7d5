#include "tools/content/fonts_faces.h"

#include "text/glyphtables.h"

namespace {

#define TEXGYRE "/usr/share/texmf/fonts/opentype/public/tex-gyre/"

// Sizes are the largest at which the face's capitals and descenders both
// fit the strip's height, with the table's widths close to the face's own
// advances; the baseline leaves the descenders' rows below it.
const FaceSetup kFaces[NUMFONTS] = {
    // matura: a calligraphic script for titles, slightly emboldened so its
    // hairlines survive at 20 px; its capitals are swash-wide in the table.
    {TEXGYRE "texgyrechorus-mediumitalic.otf", "fonts-texgyre", {20, Hinting::light, 1.0f, 20}, 15, 1, 21, 2.0f},
    // reinhard: Schola keeps open, sturdy letters at 12 rows where finer
    // book faces turn to grey; a touch bolder, since the table's narrow
    // ranges condense many letters and thin their upright strokes.
    {TEXGYRE "texgyreschola-regular.otf", "fonts-texgyre", {11, Hinting::light, 1.0f, 12}, 9, 1},
    // comic: a casual hand.
    {"/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf", "fonts-comic-neue", {18, Hinting::light}, 15, 1},
    // elfintxt: uncial letters after Celtic inscriptions; the bold cut,
    // because button captions and box texts must read at a glance.
    {"/usr/share/fonts/truetype/klaudia-berenika/Berenika-Bold.ttf", "fonts-klaudia-berenika",
     {15, Hinting::light}, 13, 1},
    // romantxt: the message box serif.
    {TEXGYRE "texgyrepagella-regular.otf", "fonts-texgyre", {14, Hinting::light}, 12, 1},
    // arial: the editors' sans, on its own hints, which are made for sizes
    // this small.
    {"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", "fonts-liberation",
     {11, Hinting::native}, 9, 1},
    // smallcaps: bold capitals in one bit, 7 rows tall, so that a crisp
    // outline can be traced round them.
    {"/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf", "fonts-liberation", {9, Hinting::mono}, 8, 0},
};

#undef TEXGYRE

}  // namespace

const FaceSetup& face_setup(int font) { return kFaces[font]; }
