#include "playrun.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

#include "testenv.h"

namespace fs = std::filesystem;

std::string freshdata(const std::string& name) {
    fs::path dir = fs::path(VENNOR_TEST_TMP) / name;
    fs::remove_all(dir);
    fs::create_directories(dir.parent_path());
    fs::copy(VENNOR_DATA, dir, fs::copy_options::recursive);
    return dir.string();
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
