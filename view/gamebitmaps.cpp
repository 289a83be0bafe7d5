#include "view/gamebitmaps.h"

#include <cstdio>

#include "text/widget.h"
#include "video/picture.h"
#include "video/sprite.h"
#include "view/light.h"
#include "view/panel.h"

u16* thoughtcloudpicture = nullptr;
u16* talkcloudpicture = nullptr;

struct spritefile {
    int slot;
    const char* file;
};

// In the order they are loaded; the slot numbers are the ones the view and
// the spells draw.
static const spritefile missilefiles[] = {
    {8, "bitmaps\\magic.bmp"},
    {9, "bitmaps\\magicsmall.bmp"},
};

static const spritefile cloudfiles[] = {
    {35, "bitmaps\\thoughtcloudleft.bmp"},
    {36, "bitmaps\\thoughtcloudright.bmp"},
    {37, "bitmaps\\thoughtcloudtop.bmp"},
    {38, "bitmaps\\thoughtcloudbottom.bmp"},
    {31, "bitmaps\\talkcloudleft.bmp"},
    {32, "bitmaps\\talkcloudright.bmp"},
    {33, "bitmaps\\talkcloudtop.bmp"},
    {34, "bitmaps\\talkcloudbottom.bmp"},
    {27, "bitmaps\\talkcloudtopleft.bmp"},
    {28, "bitmaps\\talkcloudtopright.bmp"},
    {29, "bitmaps\\talkcloudbottomleft.bmp"},
    {30, "bitmaps\\talkcloudbottomright.bmp"},
    {24, "bitmaps\\cloudfiller.bmp"},
    {26, "bitmaps\\thoughtclouddots.bmp"},
    {25, "bitmaps\\talkcloudcurve.bmp"},
};

static const spritefile laterfiles[] = {
    {61, "bitmaps\\circle.bmp"},     {63, "bitmaps\\blodspot.bmp"}, {40, "bitmaps\\greenspot.bmp"},
    {60, "bitmaps\\mapselec.bmp"},   {56, "bitmaps\\border.bmp"},   {57, "bitmaps\\sel.bmp"},
    {58, "bitmaps\\sel1.bmp"},       {59, "bitmaps\\sel2.bmp"},     {64, "bitmaps\\sel3.bmp"},
    {47, "bitmaps\\gseln.bmp"},      {49, "bitmaps\\gsele.bmp"},    {51, "bitmaps\\gsels.bmp"},
    {53, "bitmaps\\gselw.bmp"},      {48, "bitmaps\\gselne.bmp"},   {54, "bitmaps\\gselnw.bmp"},
    {50, "bitmaps\\gselse.bmp"},     {52, "bitmaps\\gselsw.bmp"},   {41, "bitmaps\\icons\\icon0.bmp"},
    {42, "bitmaps\\icons\\icon1.bmp"}, {43, "bitmaps\\icons\\icon2.bmp"}, {44, "bitmaps\\icons\\icon3.bmp"},
    {46, "bitmaps\\icons\\icon5.bmp"}, {39, "bitmaps\\spellbox.bmp"},
    // Our own: the glow over a body that can be raised.
    {62, "bitmaps\\gravemark.bmp"},
};

static constexpr picsize panelsize = {PANELWIDTH, PANELHEIGHT};

void loadgamebitmaps() {
    clearsprites();
    buttonskin = loadandunpackbmp("bitmaps\\buttons\\button1.bmp", {SKINWIDTH, SKINHEIGHT});
    panelpicture = loadandunpackbmp("bitmaps\\menubar.bmp", panelsize);
    panelclean = loadandunpackbmp("bitmaps\\menubar.bmp", panelsize);
    compturnpicture = loadandunpackbmp("bitmaps\\compturn.bmp", panelsize);
    thoughtcloudpicture = loadandunpackbmp("bitmaps\\thoughtcloud.bmp");
    talkcloudpicture = loadandunpackbmp("bitmaps\\talkcloud.bmp");
    for (const spritefile& s : missilefiles) initsprite(s.slot, s.file);
    for (int n = 1; n <= 8; n++) {
        char file[64];
        std::snprintf(file, sizeof file, "bitmaps\\arrows\\arrow%d.bmp", n);
        initsprite(64 + n, file);
    }
    for (const spritefile& s : cloudfiles) initsprite(s.slot, s.file);
    for (int d = 0; d <= 9; d++) {
        char file[64];
        std::snprintf(file, sizeof file, "bitmaps\\%d.bmp", d);
        initsprite(10 + d, file);
    }
    for (const spritefile& s : laterfiles) initsprite(s.slot, s.file);
    buildrgb333();
    initblendtables();
}
