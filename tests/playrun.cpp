#include "playrun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>

#include "testenv.h"
#include "world/npc.h"

namespace fs = std::filesystem;

std::string freshdata(const std::string& name) {
    fs::path dir = fs::path(VENNOR_TEST_TMP) / name;
    fs::remove_all(dir);
    fs::create_directories(dir.parent_path());
    fs::copy(VENNOR_DATA, dir, fs::copy_options::recursive);
    return dir.string();
}

std::string freshdataleaderalone(const std::string& name) {
    std::string data = freshdata(name);
    // Records 2..4 of the demo's unit file are the companions.
    constexpr std::streamoff RECORD = 156;
    std::fstream npcs(data + "/maps/map0.npc", std::ios::in | std::ios::out | std::ios::binary);
    std::string empty(3 * RECORD, '\0');
    npcs.seekp(2 * RECORD);
    npcs.write(empty.data(), (std::streamsize)empty.size());
    if (!npcs) throw std::runtime_error("cannot cut the party from " + data);
    return data;
}

run play(const std::string& data, const std::string& script, const std::string& extra) {
    std::string scriptfile = data + "/../" + fs::path(data).filename().string() + ".script";
    std::ofstream(scriptfile) << script;
    std::string errfile = scriptfile + ".err";
    std::string cmd = std::string(VENNOR_EXE) + " --headless --data " + data + " --play " + scriptfile + " " + extra +
                      " 2>" + errfile;
    int st = std::system(cmd.c_str());
    return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, readtext(data + "/text/debug.log"), readtext(errfile)};
}

std::string freshprefix(const std::string& name) {
    fs::path dir = fs::path(VENNOR_TEST_TMP) / name;
    fs::remove_all(dir);
    fs::create_directories(dir / "bin");
    fs::create_directories(dir / "share");
    // The game finds its tree from its own path, so it must lie here, not
    // be a symbolic link to the build.
    std::error_code ec;
    fs::create_hard_link(VENNOR_EXE, dir / "bin" / "vennor", ec);
    if (ec) fs::copy_file(VENNOR_EXE, dir / "bin" / "vennor");
    fs::copy(VENNOR_DATA, dir / "share" / "vennor", fs::copy_options::recursive);
    return dir.string();
}

run playinstalled(const std::string& prefix, const std::string& home, const std::string& from, const std::string& script,
                  const std::string& extra) {
    fs::create_directories(from);
    std::string scriptfile = home + ".script";
    std::ofstream(scriptfile) << script;
    std::string errfile = scriptfile + ".err";
    std::string cmd = "cd " + from + " && HOME=" + home + " XDG_DATA_HOME=" + home + "/data " + prefix +
                      "/bin/vennor --headless --play " + scriptfile + " " + extra + " 2>" + errfile;
    int st = std::system(cmd.c_str());
    return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, readtext(home + "/data/vennor/text/debug.log"), readtext(errfile)};
}

void keeponly(const std::string& data, const std::string& map, const std::vector<keptunit>& keep) {
    std::string path = data + "/maps/" + map + ".npc";
    std::ifstream in(path, std::ios::binary);
    std::vector<u8> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), (size_t)NPCSLOTS * NPCRECSIZE) << path;
    for (int s = 1; s <= MAXNPCS; s++) {
        npcrec n{};
        npcfromfile(&bytes[(size_t)s * NPCRECSIZE], &n);
        n.isused = 0;
        for (const keptunit& k : keep)
            if (k.slot == s) {
                n.isused = 1;
                n.x = (i16)k.x, n.y = (i16)k.y;
                n.mapoff = (u32)(k.y * 256 + k.x);
                n.health = k.health;
                n.hidden = 0;
            }
        npctofile(&n, &bytes[(size_t)s * NPCRECSIZE]);
    }
    std::ofstream(path, std::ios::binary).write((const char*)bytes.data(), (std::streamsize)bytes.size());
}
