// Folder listings for the file dialog, on host paths.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <filesystem>
#include <system_error>

#include "editor/filedialog.h"
#include "platform/usertree.h"

namespace fs = std::filesystem;

// One pattern of a list: [pattern, end).
static bool matchone(const char* pattern, const char* end, const char* name) {
    // Iterative, with one back-up point per '*': no deep recursion on long names.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (pattern < end && *pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (pattern < end && (*pattern == '?' || std::tolower((unsigned char)*pattern) == std::tolower((unsigned char)*name))) {
            pattern++;
            name++;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (pattern < end && *pattern == '*') pattern++;
    return pattern == end;
}

bool filespecmatch(const char* pattern, const char* name) {
    for (;;) {
        const char* end = std::strchr(pattern, ';');
        if (!end) return matchone(pattern, pattern + std::strlen(pattern), name);
        if (matchone(pattern, end, name)) return true;
        pattern = end + 1;
    }
}

static bool before(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; i++) {
        int x = std::tolower((unsigned char)a[i]), y = std::tolower((unsigned char)b[i]);
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b; // names that differ in case only keep a fixed order
}

bool listfiledir(const std::string& dir, const char* pattern, filelisting* out) {
    out->dirs.clear();
    out->files.clear();
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    if (ec) return false;
    for (; it != end; it.increment(ec)) {
        if (ec) return false;
        std::string name = it->path().filename().string();
        std::error_code kind;
        // Links are followed: a link to a folder opens like the folder.
        if (it->is_directory(kind)) out->dirs.push_back(name);
        else if (it->is_regular_file(kind) && filespecmatch(pattern, name.c_str())) out->files.push_back(name);
    }
    if (ec) return false;
    std::sort(out->dirs.begin(), out->dirs.end(), before);
    std::sort(out->files.begin(), out->files.end(), before);
    if (dir != "/") out->dirs.insert(out->dirs.begin(), "..");
    return true;
}

// Entries of more that into lacks (ignoring case, as the game names files),
// added in order; ".." stays first.
static void mergenames(std::vector<std::string>* into, const std::vector<std::string>& more) {
    size_t had = into->size();
    for (const std::string& m : more) {
        bool seen = false;
        for (size_t k = 0; k < had && !seen; k++) seen = strcasecmp((*into)[k].c_str(), m.c_str()) == 0;
        if (!seen) into->push_back(m);
    }
    auto first = into->begin() + (!into->empty() && (*into)[0] == ".." ? 1 : 0);
    std::sort(first, into->end(), before);
}

void mergefilelisting(filelisting* into, const filelisting& more) {
    mergenames(&into->dirs, more.dirs);
    mergenames(&into->files, more.files);
}

std::string joinfiledir(const std::string& dir, const std::string& name) {
    if (name == "..") {
        size_t cut = dir.find_last_of('/');
        if (cut == std::string::npos || cut == 0) return "/";
        return dir.substr(0, cut);
    }
    if (name == ".") return dir;
    return dir == "/" ? "/" + name : dir + "/" + name;
}

void fileplaces(std::vector<std::string>* names, std::vector<std::string>* paths) {
    names->clear();
    paths->clear();
    std::error_code ec;
    if (plat_twotrees()) {
        names->push_back("Game content");
        paths->push_back(plat_contenttree());
        if (fs::is_directory(plat_usertree(), ec)) {
            names->push_back("My files");
            paths->push_back(plat_usertree());
        }
    } else {
        names->push_back("Game data folder");
        paths->push_back(fs::current_path(ec).string());
    }
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/' && fs::is_directory(home, ec)) {
        std::string h = home;
        while (h.size() > 1 && h.back() == '/') h.pop_back();
        names->push_back("Home folder");
        paths->push_back(h);
    }
    names->push_back("/");
    paths->push_back("/");
}
