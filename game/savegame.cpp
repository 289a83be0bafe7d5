#include "game/savegame.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "app/debuglog.h"
#include "app/timer.h"
#include "game/savefile.h"
#include "game/savestate.h"
#include "platform/files.h"
#include "platform/safewrite.h"

const char* const QUICKSAVENAME = "quicksave";

static const char SAVEEXT[] = ".sav";

std::string savegamepath(const std::string& name) { return "saves\\" + name + SAVEEXT; }
std::string saveshownpath(const std::string& name) { return "saves/" + name + SAVEEXT; }

bool savenameok(const std::string& name) {
    if (name.empty() || name.size() > SAVENAMEMAX || name[0] == ' ') return false;
    for (char c : name)
        if (!(std::isalnum((unsigned char)c) || c == ' ' || c == '-' || c == '_')) return false;
    return true;
}

std::vector<saveentry> listsaves() {
    std::vector<saveentry> out;
    for (const std::string& file : plat_listdir("saves", "*.sav")) {
        std::string name = file.substr(0, file.size() - (sizeof SAVEEXT - 1));
        if (!savenameok(name)) continue;
        saveentry e = {name, 0};
        plat_filetime(savegamepath(name).c_str(), &e.written);
        out.push_back(e);
    }
    std::stable_sort(out.begin(), out.end(), [](const saveentry& a, const saveentry& b) { return a.written > b.written; });
    return out;
}

static void tell(std::string* said, const std::string& text) {
    *said = text;
    debuglog("%s\n", text.c_str());
}

bool savegameto(const std::string& name, std::string* said) {
    if (!savenameok(name)) {
        tell(said, "Game not saved: \"" + name + "\" is no name for a save");
        return false;
    }
    std::vector<u8> bytes;
    buildsave(&bytes);
    std::string why;
    // The folder is made at the first save; a file in its place shows in
    // the write's reason.
    plat_makedir("saves");
    if (!plat_safewritefile(savegamepath(name).c_str(), bytes.data(), bytes.size(), &why)) {
        tell(said, "Game not saved to " + saveshownpath(name) + ": " + why);
        return false;
    }
    tell(said, "Game saved");
    debuglog("Saved %s, %u bytes\n", saveshownpath(name).c_str(), (u32)bytes.size());
    return true;
}

// The size first: a file too large to be a save is refused unread.
static const char* readsave(const std::string& name, std::vector<u8>* bytes) {
    const char* why = plat_readfilewhy(savegamepath(name).c_str(), bytes, SAVEMAXBYTES);
    return why && !std::strcmp(why, "too large") ? "too large to be a saved game" : why;
}

bool loadgamefrom(const std::string& name, std::string* said) {
    std::vector<u8> bytes;
    const char* why = savenameok(name) ? readsave(name, &bytes) : "no name for a save";
    if (!why) why = loadsavebytes(bytes.data(), bytes.size());
    if (why) {
        tell(said, "Not loaded: " + saveshownpath(name) + ": " + why);
        return false;
    }
    tell(said, "Game loaded");
    debuglog("Loaded %s\n", saveshownpath(name).c_str());
    return true;
}

tickphase holdtickphase() { return {tickcount, pulse, pulseup}; }

void puttickphase(const tickphase& t) {
    tickcount = t.tick;
    pulse = t.pulse;
    pulseup = t.pulseup;
}
