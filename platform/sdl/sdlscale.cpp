#include "platform/sdl/sdlscale.h"

#include <algorithm>

namespace {

i32 wholefactor(i32 w, i32 h) { return std::max(1, std::min(w / sdlpicturew, h / sdlpictureh)); }

// Maps the centre of cell v of an axis split into `from` cells onto one split
// into `to`, so fractional ratios (1.5x screens) pick the cell actually under
// the point rather than always the one to its upper left.
i32 rescale(i32 v, i32 from, i32 to) {
    if (from <= 0) return 0;
    return (i32)(((2 * (i64)v + 1) * to) / (2 * (i64)from));
}

}  // namespace

sdlfit sdlscale_fit(i32 outw, i32 outh) {
    sdlfit f;
    f.outw = std::max(1, outw);
    f.outh = std::max(1, outh);
    f.factor = wholefactor(f.outw, f.outh);
    f.intw = sdlpicturew * f.factor;
    f.inth = sdlpictureh * f.factor;
    if ((i64)f.outw * 3 <= (i64)f.outh * 4) {
        f.w = f.outw;
        f.h = std::max(1, f.outw * 3 / 4);
    } else {
        f.h = f.outh;
        f.w = std::max(1, f.outh * 4 / 3);
    }
    f.x = (f.outw - f.w) / 2;
    f.y = (f.outh - f.h) / 2;
    return f;
}

sdlpoint sdlscale_topicture(const sdlfit& f, i32 winw, i32 winh, i32 wx, i32 wy) {
    i32 px = rescale(wx, winw, f.outw);
    i32 py = rescale(wy, winh, f.outh);
    sdlpoint p;
    p.x = px < f.x ? 0 : rescale(px - f.x, f.w, sdlpicturew);
    p.y = py < f.y ? 0 : rescale(py - f.y, f.h, sdlpictureh);
    p.x = std::clamp(p.x, 0, sdlpicturew - 1);
    p.y = std::clamp(p.y, 0, sdlpictureh - 1);
    return p;
}

i32 sdlscale_windowfactor(i32 usablew, i32 usableh) { return wholefactor(usablew, usableh); }

i32 sdlscale_fitscale(i32 wanted, i32 usablew, i32 usableh) {
    return std::max(1, std::min(wanted, wholefactor(usablew, usableh)));
}
