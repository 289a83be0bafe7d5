// The shipped content tree found from the executable's own location, so an
// installed game starts from any working directory and a moved prefix still
// finds its data.
#include "platform/datadir.h"

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

static std::string parentof(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string datadir_choose(const std::string& exepath, const std::string& builtin,
                           bool (*isdir)(const std::string&)) {
    if (exepath.empty() || exepath[0] != '/') return builtin;
    std::string exedir = parentof(exepath), prefix = parentof(exedir);
    std::string installed = (prefix == "/" ? "" : prefix) + "/share/vennor";
    if (isdir(installed)) return installed;
    // An installed game whose tree has gone: name the place it should be,
    // not a build folder that only existed on the machine that built it.
    bool inbin = exedir.size() >= 4 && exedir.compare(exedir.size() - 4, 4, "/bin") == 0;
    return inbin ? installed : builtin;
}

static bool hostisdir(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

static std::string selfexe() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0 || (size_t)n >= sizeof buf - 1) return "";
    return std::string(buf, (size_t)n);
}

std::string datadir_default() { return datadir_choose(selfexe(), VENNOR_DEFAULT_DATA, hostisdir); }

std::string datadir_missing(const std::string& dir, bool named, int errnum) {
    std::string why = std::strerror(errnum);
    if (named) return "cannot enter the data directory " + dir + " (--data): " + why;
    return "the game's content tree " + dir + " cannot be entered: " + why +
           "; reinstall the game, or name a content tree with --data DIR";
}
