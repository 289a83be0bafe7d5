// Command line, start-up and the choice of backend.
#include <cctype>
#include <cstdio>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/backend.h"
#include "platform/datadir.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/scriptplayer.h"
#include "platform/settings.h"
#include "platform/settingsstore.h"
#include "platform/usertree.h"

static platoptions options;
const platbackend* backend = nullptr;

const platoptions& plat_options() { return options; }

static const char usage[] =
    "usage: vennor [--data DIR | --user-dir DIR] [--window | --fullscreen] [--scale N]\n"
    "              [--pixel-format 555|565] [--mute] [--headless] [--play FILE] [--record FILE]\n"
    "              [--map NAME] [--config FILE] [--help] [--version]\n"
    "  --data DIR          one tree to read and write, with no player's tree (for tests and mods)\n"
    "  --user-dir DIR      the player's tree for this run (default: $XDG_DATA_HOME/vennor)\n"
    "  --window            run in a window (the default)\n"
    "  --fullscreen        run on the whole desktop (Alt+Enter switches)\n"
    "  --scale N           open the window at N x 640 x 480\n"
    "  --pixel-format F    display layout 565 (default) or 555\n"
    "  --mute              no sound\n"
    "  --headless          no display or audio device; virtual clock (needs --play)\n"
    "  --play FILE         take input from a script\n"
    "  --record FILE       write the input to a script\n"
    "  --map NAME          Run Demo and the map editor use maps/NAME.dat instead of map0\n"
    "  --config FILE       the settings file for this run (default: $XDG_CONFIG_HOME/vennor/vennor.ini;\n"
    "                      none with --headless); the options above win over it and are not saved\n";

static bool needvalue(int i, int argc, char** argv, std::string* err) {
    if (i + 1 < argc) return true;
    *err = std::string(argv[i]) + " needs a value";
    return false;
}

static bool parseint(const char* s, int lo, int hi, int* out) {
    char* end = nullptr;
    long v = std::strtol(s, &end, 10);
    if (!*s || *end || v < lo || v > hi) return false;
    *out = (int)v;
    return true;
}

static bool plainname(const std::string& s) {
    if (s.empty() || s.size() > 32) return false;
    for (char c : s)
        if (!std::isalnum((unsigned char)c) && c != '-' && c != '_') return false;
    return true;
}

// One option with its value; false with *err when refused.
static bool parseoption(int& i, int argc, char** argv, platoptions* o, std::string* err) {
    std::string a = argv[i];
    if (a == "--window") o->fullscreen = false;
    else if (a == "--fullscreen") o->fullscreen = true;
    else if (a == "--mute") o->mute = true;
    else if (a == "--headless") o->headless = true;
    else if (a == "--map") {
        if (!needvalue(i, argc, argv, err)) return false;
        o->mapname = argv[++i];
        if (!plainname(o->mapname)) { *err = "--map takes a map's name: 1 to 32 letters, digits, - and _"; return false; }
    } else if (a == "--data" || a == "--user-dir" || a == "--play" || a == "--record") {
        if (!needvalue(i, argc, argv, err)) return false;
        std::string v = argv[++i];
        (a == "--data" ? o->datadir : a == "--user-dir" ? o->userdir : a == "--play" ? o->playfile : o->recordfile) = v;
    } else if (a == "--scale") {
        if (!needvalue(i, argc, argv, err)) return false;
        if (!parseint(argv[++i], 1, 16, &o->scale)) { *err = "--scale takes a whole number from 1 to 16"; return false; }
    } else if (a == "--pixel-format") {
        if (!needvalue(i, argc, argv, err)) return false;
        std::string v = argv[++i];
        if (v != "555" && v != "565") { *err = "--pixel-format takes 555 or 565"; return false; }
        o->pixelformat = (int)std::strtol(v.c_str(), nullptr, 10);
    } else {
        *err = "unknown option " + a;
        return false;
    }
    return true;
}

// Options that each make sense but not together.
static bool consistent(const platoptions& o, bool window, bool fullscreen, std::string* err) {
    if (window && fullscreen) {
        *err = "--window and --fullscreen cannot both be given";
        return false;
    }
    // --data is one tree read and written: there is no player's tree to name.
    if (!o.datadir.empty() && !o.userdir.empty()) {
        *err = "--data and --user-dir cannot both be given";
        return false;
    }
    // Headless there is no one to press a key: without a script the game
    // would wait at its menu forever.
    if (o.headless && o.playfile.empty()) {
        *err = "--headless needs --play FILE to drive the game";
        return false;
    }
    return true;
}

// The options the settings file also gives; the command line's win.
struct givenoptions {
    bool screen = false, scale = false, pixelformat = false, mute = false;
};

static void takeint(const char* key, bool given, int* into) {
    const char* v = plat_setting(key);
    if (v && !given) *into = (int)std::strtol(v, nullptr, 10);
}

static void takeflag(const char* key, bool given, bool* into) {
    const char* v = plat_setting(key);
    if (v && !given) *into = v[0] == '1';
}

// Headless runs read no file unless one is named, so a script gives the same
// result whatever the player has set.
static void takesettings(const std::string& config, const givenoptions& g, platoptions* o) {
    std::string path = config;
    if (!path.empty() && path[0] != '/') path = plat_getcwd() + "/" + path;
    if (path.empty() && !o->headless) path = settings_defaultpath();
    settings_load(path);
    takeflag("fullscreen", g.screen, &o->fullscreen);
    takeflag("mute", g.mute, &o->mute);
    takeint("scale", g.scale, &o->scale);
    takeint("pixel-format", g.pixelformat, &o->pixelformat);
}

int plat_parseargs(int argc, char** argv, platoptions* out, std::string* err) {
    platoptions o;
    bool window = false, fullscreen = false;
    givenoptions given;
    std::string config;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") { std::fputs(usage, stdout); return 1; }
        if (a == "--version") { std::printf("vennor %s\n", VENNOR_VERSION); return 1; }
        window |= a == "--window";
        fullscreen |= a == "--fullscreen";
        given.scale |= a == "--scale";
        given.pixelformat |= a == "--pixel-format";
        given.mute |= a == "--mute";
        if (a == "--config") {
            if (!needvalue(i, argc, argv, err)) { *err += "\n" + std::string(usage); return 2; }
            config = argv[++i];
            continue;
        }
        if (!parseoption(i, argc, argv, &o, err)) { *err += "\n" + std::string(usage); return 2; }
    }
    if (!consistent(o, window, fullscreen, err)) { *err += "\n" + std::string(usage); return 2; }
    given.screen = window || fullscreen;
    takesettings(config, given, &o);
    *out = o;
    return 0;
}

static std::string fromstart(const std::string& path, const std::string& startdir) {
    if (path.empty() || path[0] == '/') return path;
    return startdir + "/" + path;
}

static int initfailure = 1;
int plat_initfailure() { return initfailure; }

static void settrees(bool named) {
    if (named) plat_setonetree(options.datadir);
    else plat_settwotrees(options.datadir, options.userdir.empty() ? plat_defaultusertree() : options.userdir);
}

bool plat_init(const platoptions& opts, std::string* err) {
    options = opts;
    options.startdir = plat_getcwd();
    bool named = !options.datadir.empty();
    if (!named) options.datadir = datadir_default();
    options.datadir = fromstart(options.datadir, options.startdir);
    options.playfile = fromstart(options.playfile, options.startdir);
    options.recordfile = fromstart(options.recordfile, options.startdir);
    options.userdir = fromstart(options.userdir, options.startdir);
    initfailure = 3;
    if (chdir(options.datadir.c_str()) != 0) {
        *err = datadir_missing(options.datadir, named, errno);
        return false;
    }
    initfailure = 1;
    settrees(named);
    if (!scriptplayer_open(options.playfile, options.recordfile, options.headless, err)) return false;
    backend = options.headless ? &headlessbackend : &sdlbackend;
    platq_reset();
    plat_tellusertree();
    return true;
}

void plat_shutdown() {
    if (backend && backend->shutdown) backend->shutdown();
    scriptplayer_close();
}
