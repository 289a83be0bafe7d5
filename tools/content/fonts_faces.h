#pragma once
// Which free face each game font is drawn from, and at what size.
#include "tools/content/fonts_ft.h"

struct FaceSetup {
    const char* path;     // the face file as its Debian package installs it
    const char* package;  // named when the file is missing (tools/setup.sh installs it)
    FtRender render;
    int baseline;  // strip row the baseline of every glyph sits on
    int spacing;   // empty columns kept at the right of a glyph's range, where it is narrow enough
    // Title faces whose capitals are meant to tower and sprawl: the capitals'
    // size, and how far they may be widened towards their range.
    int caps_size = 0;
    float caps_widen = 1.0f;
};

// For font 0..6, in glyph-table order.
const FaceSetup& face_setup(int font);
