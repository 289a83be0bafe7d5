// The settings of this run and their file.
#include "platform/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <vector>

#include "platform/files.h"
#include "platform/safewrite.h"
#include "platform/settingsparse.h"
#include "platform/settingsstore.h"

static struct {
    std::string path;
    settingsdoc doc;
    // Set when the file on disk was refused: the player's bytes there are
    // kept, so changes of this run stay in memory.
    std::string keepout;
} settings;

std::string settings_defaultpath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/vennor/vennor.ini";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config/vennor/vennor.ini";
    return "";
}

const std::string& settings_path() { return settings.path; }

static void say(const std::string& where, const std::string& what) {
    std::fprintf(stderr, "vennor: %s: %s\n", where.c_str(), what.c_str());
}

// Why the file at path cannot be read as settings; empty when it can (or
// is missing, which *missing then says).
static std::string unreadable(const std::string& path, std::vector<u8>* bytes, bool* missing) {
    struct stat st;
    *missing = false;
    if (stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) { *missing = true; return ""; }
        return std::strerror(errno);
    }
    if (!S_ISREG(st.st_mode)) return "not a regular file";
    if ((u64)st.st_size > SETTINGS_MAXFILE)
        return "larger than " + std::to_string(SETTINGS_MAXFILE >> 10) + " KiB: not a settings file";
    if (!plat_readhostfile(path, bytes, SETTINGS_MAXFILE)) return "cannot be read";
    return "";
}

void settings_load(const std::string& path) {
    settings.path = path;
    settings.doc = settingsdoc();
    settings.keepout.clear();
    if (path.empty()) return;
    std::vector<u8> bytes;
    bool missing;
    std::string bad = unreadable(path, &bytes, &missing);
    if (bad.empty() && !missing) {
        settings.doc = settings_parse(bytes.data(), bytes.size());
        bad = settings.doc.unusable;
    }
    if (!bad.empty()) {
        settings.doc = settingsdoc();
        settings.keepout = bad;
        say(path, bad + "; using the default settings");
        return;
    }
    for (const settingrefusal& r : settings.doc.refused) say(path + ":" + std::to_string(r.line), r.reason);
}

const char* plat_setting(const char* key) { return settings_find(settings.doc, key); }

std::vector<std::string> plat_settingkeys(const char* prefix) {
    std::vector<std::string> keys;
    for (const settingline& l : settings.doc.lines) {
        if (!l.used || l.key.compare(0, std::strlen(prefix), prefix) != 0) continue;
        bool seen = false;
        for (const std::string& k : keys) seen = seen || k == l.key;
        if (!seen) keys.push_back(l.key);
    }
    return keys;
}

// The folder of the file, made when missing (and its parent: a fresh
// account may have no ~/.config yet).
static void makefolders(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return;
    std::string dir = path.substr(0, slash);
    size_t up = dir.rfind('/');
    if (up != std::string::npos && up > 0) mkdir(dir.substr(0, up).c_str(), 0700);
    mkdir(dir.c_str(), 0755);
}

bool plat_setsetting(const char* key, const char* value, std::string* why) {
    std::string bad = settings_check(key, value);
    if (!bad.empty()) {
        *why = bad;
        return false;
    }
    settings_put(&settings.doc, key, value);
    if (settings.path.empty()) return true;
    if (!settings.keepout.empty()) {
        *why = settings.path + " was refused at start (" + settings.keepout + "); " + key +
               " is kept for this run only";
        say(settings.path, std::string("not written over; ") + key + " = " + value + " holds for this run only");
        return false;
    }
    makefolders(settings.path);
    std::string text = settings_text(settings.doc);
    if (plat_safewritehostfile(settings.path, text.data(), text.size(), why)) return true;
    say(settings.path, "cannot save " + std::string(key) + ": " + *why);
    return false;
}
