#include "platform/scriptplayer.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/backend.h"
#include "platform/files.h"
#include "platform/safewrite.h"
#include "platform/script.h"

// Far more than any run needs: a million events or so.
static const size_t SCRIPTMAXBYTES = 16u << 20;

static std::vector<scriptevent> events;
static size_t nextevent = 0;
static bool playing = false;
static bool quitposted = false;
// The recording grows in a temporary file beside its target and takes the
// target's name when the run ends; a crash leaves it in NAME.tmpXXXXXX.
static safefile* recording = nullptr;
static bool recordlossreported = false;

// Events that wait for a presented frame rather than being delivered.
static bool framebound(const scriptevent& e) { return e.kind == SE_SHOT || e.kind == SE_DUMP; }

bool scriptplayer_open(const std::string& playfile, const std::string& recordpath, bool headless, std::string* err) {
    events.clear();
    nextevent = 0;
    quitposted = false;
    playing = !playfile.empty() || headless;
    if (!playfile.empty()) {
        std::vector<u8> bytes;
        if (!plat_readhostfile(playfile, &bytes, SCRIPTMAXBYTES)) {
            *err = "cannot read the script " + playfile + " (a regular file of at most 16 MiB)";
            return false;
        }
        std::string text(bytes.begin(), bytes.end());
        std::string why;
        if (!script_parse(text, &events, &why)) { *err = playfile + ": " + why; return false; }
    }
    plat_safeabandon(recording);
    recording = nullptr;
    recordlossreported = false;
    if (!recordpath.empty()) {
        std::string why;
        static const char HEADER[] = "# recorded input: TICK EVENT [ARGS]\n";
        recording = plat_safeopenhost(recordpath, &why);
        if (!recording || !plat_safewrite(recording, HEADER, sizeof HEADER - 1, &why)) {
            plat_safeabandon(recording);
            recording = nullptr;
            *err = "cannot write the script: " + why;
            return false;
        }
    }
    return true;
}

bool scriptplayer_endrecording(std::string* why) {
    if (!recording) return true;
    safefile* f = recording;
    recording = nullptr;
    return plat_safecommit(f, why);
}

void scriptplayer_close() {
    std::string why;
    if (scriptplayer_endrecording(&why)) return;
    std::fprintf(stderr, "vennor: the recording is lost: %s\n", why.c_str());
    // A run whose recording is lost must not end as a success; the display
    // is already down.
    std::fflush(nullptr);
    std::_Exit(1);
}

bool scriptplayer_active() { return playing; }

void plat_record(const char* line) {
    if (!recording) return;
    std::string text = std::to_string(plat_ticks()) + " " + line + "\n";
    std::string why;
    if (plat_safewrite(recording, text.data(), text.size(), &why) || recordlossreported) return;
    // Said at once, so that the player knows before the session is over.
    std::fprintf(stderr, "vennor: %s\n", why.c_str());
    recordlossreported = true;
}

// F12 belongs to the platform here as it does at the keyboard, so a script
// can take the player's own numbered screenshot.
static void presskey(u32 vk, bool down) {
    if (vk == VK_F12) {
        if (down) plat_savenumberedshot();
        return;
    }
    plat_setkeyheld(vk, down);
    platq_push(down ? WM_KEYDOWN : WM_KEYUP, vk, 0);
}

static void deliver(const scriptevent& e) {
    i32 mx, my;
    plat_getcursorpos(&mx, &my);
    i32 at = makelparam(mx, my);
    switch (e.kind) {
    case SE_MOVE:
        plat_setcursorpos(e.x, e.y);
        platq_push(WM_MOUSEMOVE, 0, makelparam(e.x, e.y));
        break;
    case SE_LDOWN: platq_push(WM_LBUTTONDOWN, 1, at); break;
    case SE_LUP: platq_push(WM_LBUTTONUP, 0, at); break;
    case SE_RDOWN: platq_push(WM_RBUTTONDOWN, 2, at); break;
    case SE_RUP: platq_push(WM_RBUTTONUP, 0, at); break;
    case SE_KEY: presskey(e.vk, true); presskey(e.vk, false); break;
    case SE_KEYDOWN: presskey(e.vk, true); break;
    case SE_KEYUP: presskey(e.vk, false); break;
    case SE_TEXT:
        for (char c : e.text) platq_push(WM_CHAR, (u8)c, 1);
        break;
    case SE_QUIT: plat_postquitmessage(0); break;
    case SE_SHOT:
    case SE_DUMP: break;
    }
}

// The script has ended once its last event was taken and answered: the
// queue is empty again and a frame has been shown since.
static void postquitatend() {
    if (playing && nextevent >= events.size() && !quitposted && platq_empty()) {
        quitposted = true;
        plat_postquitmessage(0);
    }
}

void scriptplayer_deliver() {
    while (playing && nextevent < events.size()) {
        const scriptevent& e = events[nextevent];
        if (e.tick > plat_ticks() || framebound(e)) break;
        deliver(e);
        nextevent++;
    }
}

void (*plat_statedumphook)(std::string* out) = nullptr;

static void writedump(const std::string& path) {
    std::string text, why;
    if (plat_statedumphook) plat_statedumphook(&text);
    if (!plat_safewritehostfile(path, text.data(), text.size(), &why))
        std::fprintf(stderr, "vennor: cannot write %s: %s\n", path.c_str(), why.c_str());
}

// A shot or a dump is taken from a presented frame, once the input before it
// has been answered.
static void takeshot(const u16* pixels, u32 format) {
    const scriptevent& e = events[nextevent];
    std::string path = e.file[0] == '/' ? e.file : plat_options().startdir + "/" + e.file;
    if (e.kind == SE_DUMP) writedump(path);
    else if (!plat_saveshot(path, pixels, format)) std::fprintf(stderr, "vennor: cannot write %s\n", path.c_str());
    nextevent++;
}

static bool shotdue() {
    return playing && nextevent < events.size() && framebound(events[nextevent]) &&
           events[nextevent].tick <= plat_ticks() && platq_empty();
}

void scriptplayer_framepresented(const u16* pixels, u32 format) {
    if (shotdue()) takeshot(pixels, format);
    postquitatend();
}

void scriptplayer_stalled(const u16* lastframe, u32 format) {
    if (!playing || nextevent >= events.size()) return;
    if (framebound(events[nextevent])) {
        if (platq_empty()) takeshot(lastframe, format);
    } else {
        deliver(events[nextevent]);
        nextevent++;
    }
    postquitatend();
}
