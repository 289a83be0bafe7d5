#include "platform/usertree.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/platform.h"

namespace {

struct trees {
    bool two = false;
    std::string content; // absolute with two trees; the working directory's name with one
    std::string user;
    std::string problem;
};
trees tree;

bool isdir(const std::string& p) {
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const std::string& p) {
    struct stat st;
    return lstat(p.c_str(), &st) == 0;
}

// The part of path below root ("" for root itself); false when it is not
// inside root.
bool below(const std::string& root, const std::string& path, std::string* rest) {
    if (path == root) {
        rest->clear();
        return true;
    }
    std::string prefix = root == "/" ? root : root + "/";
    if (path.compare(0, prefix.size(), prefix) != 0) return false;
    *rest = path.substr(prefix.size());
    return true;
}

bool relative(const char* gamepath) { return gamepath[0] != '/' && gamepath[0] != '\\'; }

// mkdir -p, for the folders below the player's tree that a write needs.
bool makefolders(const std::string& root, const std::string& rest, std::string* why) {
    std::string at = root;
    size_t i = 0;
    while (i < rest.size()) {
        size_t j = rest.find('/', i);
        if (j == std::string::npos) j = rest.size();
        if (j > i) {
            at += (at == "/" ? "" : "/") + rest.substr(i, j - i);
            if (!isdir(at) && mkdir(at.c_str(), 0755) != 0 && errno != EEXIST) {
                if (why) *why = "cannot make the folder " + at + ": " + std::strerror(errno);
                return false;
            }
        }
        i = j + 1;
    }
    return true;
}

std::string homefolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    struct passwd* pw = getpwuid(getuid());
    return pw && pw->pw_dir && pw->pw_dir[0] == '/' ? std::string(pw->pw_dir) : std::string();
}

} // namespace

void plat_setonetree(const std::string& dir) {
    tree = trees{};
    tree.content = dir;
}

void plat_settwotrees(const std::string& content, const std::string& user) {
    tree = trees{};
    tree.two = true;
    tree.content = content;
    tree.user = user;
    while (tree.user.size() > 1 && tree.user.back() == '/') tree.user.pop_back();
    plat_preparetree(tree.user, &tree.problem);
}

bool plat_twotrees() { return tree.two; }
const std::string& plat_contenttree() { return tree.content; }
const std::string& plat_usertree() { return tree.user; }
const std::string& plat_usertreeproblem() { return tree.problem; }

void plat_tellusertree() {
    if (tree.problem.empty()) return;
    std::string text = "Your own files cannot be kept: " + tree.problem +
                       ". The game runs, but maps, screenshots and logs are not saved.";
    plat_messagebox(text.c_str(), "Player's folder cannot be written");
}

std::string plat_defaultusertree() {
    // The XDG rules ignore a relative value as if it were unset.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/vennor";
    std::string home = homefolder();
    return home.empty() ? std::string() : home + "/.local/share/vennor";
}

bool plat_preparetree(const std::string& dir, std::string* why) {
    if (dir.empty() || dir[0] != '/') {
        *why = "no folder for the player's files (no home folder)";
        return false;
    }
    std::string detail;
    if (!makefolders("/", dir.substr(1), &detail)) {
        *why = dir + " cannot be made (" + detail + ")";
        return false;
    }
    if (!isdir(dir)) {
        *why = dir + " is not a folder";
        return false;
    }
    // Permissions alone do not tell: a read-only mount or a full disk only
    // shows when a byte is written.
    std::string probe = dir + "/.probeXXXXXX";
    int fd = mkstemp(probe.data());
    if (fd < 0) {
        *why = "cannot write in " + dir + ": " + std::strerror(errno);
        return false;
    }
    bool wrote = write(fd, "v", 1) == 1;
    int err = errno;
    close(fd);
    unlink(probe.c_str());
    if (!wrote) {
        *why = "cannot write in " + dir + ": " + std::strerror(err ? err : ENOSPC);
        return false;
    }
    return true;
}

std::string plat_readpath(const char* gamepath) {
    if (!tree.two || !relative(gamepath)) return plat_resolvepath("", gamepath);
    std::string mine = plat_resolvepath(tree.user, gamepath);
    if (exists(mine)) return mine;
    return plat_resolvepath(tree.content, gamepath);
}

std::string plat_writepath(const char* gamepath) {
    if (!tree.two || !relative(gamepath)) return plat_resolvepath("", gamepath);
    // The shipped spelling first, so that the player's copy carries the very
    // names of the file it stands in for.
    std::string rest;
    std::string shipped = plat_resolvepath(tree.content, gamepath);
    if (!below(tree.content, shipped, &rest)) rest = gamepath;
    std::string target = plat_resolvepath(tree.user, rest.c_str());
    std::string inside;
    if (isdir(tree.user) && below(tree.user, target, &inside)) {
        size_t slash = inside.rfind('/');
        if (slash != std::string::npos) makefolders(tree.user, inside.substr(0, slash), nullptr);
    }
    return target;
}

bool plat_othertree(const std::string& hostdir, std::string* other) {
    if (!tree.two) return false;
    std::string rest;
    if (below(tree.user, hostdir, &rest)) *other = plat_resolvepath(tree.content, rest.c_str());
    else if (below(tree.content, hostdir, &rest)) *other = plat_resolvepath(tree.user, rest.c_str());
    else return false;
    if (rest.empty()) *other = tree.user == hostdir ? tree.content : tree.user;
    return isdir(*other);
}
