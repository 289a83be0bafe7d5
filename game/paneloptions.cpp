#include "game/savemenu.h"
#include "game/paneloptions.h"

#include <cstdlib>
#include <string>

#include "app/input.h"
#include "game/eventlog.h"
#include "platform/platform.h"
#include "platform/settings.h"
#include "sound/dsound.h"
#include "view/effects.h"
#include "view/panellayout.h"

constexpr u32 MOSTDELAY = 31; // as the keypad's pacing keys
constexpr u32 VOLUMESTEP = 10;

// The mute switch of this run: starts as the run started, and remembers
// what muting took away, so unmuting gives back no more than there was.
static struct {
    bool known, muted;
    u32 soundwas;
} mute;

static int settingint(const char* key, int fallback) {
    const char* v = plat_setting(key);
    return v ? (int)std::strtol(v, nullptr, 10) : fallback;
}

static bool muted() {
    if (!mute.known) mute = {true, plat_options().mute, soundenabled};
    return mute.muted;
}

optionvalues optionsnow() {
    optionvalues o;
    o.volume = lpds ? ds_volume() : (u32)settingint("volume", 100);
    o.mute = muted();
    o.fullscreen = settingint("fullscreen", plat_options().fullscreen) != 0;
    o.scale = settingint("scale", plat_options().scale);
    o.framedelay = framedelay;
    return o;
}

// A change the file could not take still holds for the run; the player is
// told why it will not last.
static void store(const char* key, u32 value) {
    std::string why;
    if (plat_setsetting(key, std::to_string(value).c_str(), &why)) return;
    logevent("Not saved: %s", why.c_str());
    flashmessage("Setting not saved!");
}

static void setvolume(i32 v) {
    u32 now = (u32)(v < 0 ? 0 : v > 100 ? 100 : v);
    ds_setvolume(now);
    store("volume", now);
}

static void togglemute() {
    bool was = muted();
    mute.muted = !was;
    if (mute.muted) mute.soundwas = soundenabled, soundenabled = 0;
    else soundenabled = mute.soundwas;
    store("mute", mute.muted);
}

static void setscale(int s) { store("scale", (u32)(s < 1 ? 1 : s > 8 ? 8 : s)); }

static void setdelay(u32 d) {
    framedelay = d > MOSTDELAY ? MOSTDELAY : d;
    store("frame-delay", framedelay);
}

void pressoption(int control) {
    optionvalues o = optionsnow();
    switch (control) {
    case OPT_VOLUMEDOWN: setvolume((i32)o.volume - (i32)VOLUMESTEP); break;
    case OPT_VOLUMEUP: setvolume((i32)o.volume + (i32)VOLUMESTEP); break;
    case OPT_MUTE: togglemute(); break;
    case OPT_SCREEN: store("fullscreen", !o.fullscreen); break;
    case OPT_SCALEDOWN: setscale(o.scale <= 1 ? 1 : o.scale - 1); break;
    case OPT_SCALEUP: setscale(o.scale + 1); break;
    case OPT_SLOWER: setdelay(o.framedelay + 1); break;
    case OPT_FASTER: setdelay(o.framedelay ? o.framedelay - 1 : 0); break;
    case OPT_SAVE: panelsaveclicked(); break;
    case OPT_LOAD: panelloadclicked(); break;
    default: break;
    }
}

void takespeedsetting() {
    int d = settingint("frame-delay", -1);
    if (d >= 0 && d <= (int)MOSTDELAY) framedelay = (u32)d;
}

void panelsaveclicked() { savelistscreen(true); }
void panelloadclicked() { savelistscreen(false); }
