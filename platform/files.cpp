#include "platform/files.h"

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/safewrite.h"
#include "platform/usertree.h"

struct platfile {
    std::FILE* f;
};

// Finds the entry of dir whose name matches name ignoring case; the exact
// name wins when both exist.
static bool findentry(const std::string& dir, const std::string& name, std::string* found) {
    struct stat st;
    std::string exact = dir.empty() ? name : dir + "/" + name;
    if (stat(exact.c_str(), &st) == 0) {
        *found = name;
        return true;
    }
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return false;
    bool ok = false;
    while (dirent* e = readdir(d)) {
        if (strcasecmp(e->d_name, name.c_str()) == 0) {
            *found = e->d_name;
            ok = true;
            break;
        }
    }
    closedir(d);
    return ok;
}

std::string plat_resolvepath(const std::string& root, const char* gamepath) {
    std::string p = gamepath;
    std::replace(p.begin(), p.end(), '\\', '/');
    std::string out = p.size() && p[0] == '/' ? "/" : root.empty() || root == "/" ? root : root + "/";
    size_t i = 0;
    while (i <= p.size()) {
        size_t j = p.find('/', i);
        if (j == std::string::npos) j = p.size();
        std::string comp = p.substr(i, j - i);
        i = j + 1;
        if (comp.empty()) continue;
        std::string dir = out == "/" ? "/" : out.empty() ? "" : out.substr(0, out.size() - 1);
        std::string found = comp;
        if (comp != "." && comp != "..") findentry(dir, comp, &found);
        out += found + "/";
    }
    if (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
}

std::string plat_hostpath(const char* gamepath) { return plat_resolvepath("", gamepath); }

static platfile* wrap(std::FILE* f) { return f ? new platfile{f} : nullptr; }

// Only regular files are opened: a FIFO or a device in the data tree would
// block start-up or stream without end. O_NONBLOCK keeps the open itself
// from waiting on a FIFO's writer.
static platfile* openregularhost(const std::string& hostpath, int flags, const char* mode) {
    int fd = open(hostpath.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || fcntl(fd, F_SETFL, flags & O_ACCMODE) != 0) {
        close(fd);
        return nullptr;
    }
    std::FILE* f = fdopen(fd, mode);
    if (!f) close(fd);
    return wrap(f);
}

platfile* plat_fcreate(const char* gamepath) {
    return openregularhost(plat_writepath(gamepath), O_WRONLY | O_CREAT | O_TRUNC, "wb");
}
platfile* plat_fopenread(const char* gamepath) { return openregularhost(plat_readpath(gamepath), O_RDONLY, "rb"); }
// Changing a file in place is writing it: only the player's own copy is opened.
platfile* plat_fopenupdate(const char* gamepath) { return openregularhost(plat_writepath(gamepath), O_RDWR, "r+b"); }

bool plat_fclose(platfile* f) {
    if (!f) return true;
    bool ok = std::fclose(f->f) == 0;
    delete f;
    return ok;
}

bool plat_fread(platfile* f, void* buf, size_t n) { return f && std::fread(buf, 1, n, f->f) == n; }
bool plat_fwrite(platfile* f, const void* buf, size_t n) { return f && std::fwrite(buf, 1, n, f->f) == n; }
bool plat_fseek(platfile* f, i64 pos) { return f && pos >= 0 && fseeko(f->f, (off_t)pos, SEEK_SET) == 0; }
bool plat_fflush(platfile* f) { return f && std::fflush(f->f) == 0; }

i64 plat_fsize(platfile* f) {
    if (!f) return -1;
    struct stat st;
    if (fstat(fileno(f->f), &st) != 0) return -1;
    return (i64)st.st_size;
}

static const char* readwhole(platfile* f, std::vector<u8>* out, size_t maxbytes) {
    if (!f) return "not there";
    i64 n = plat_fsize(f);
    const char* why = nullptr;
    if (n < 0 || (u64)n > maxbytes) why = "too large";
    else {
        out->resize((size_t)n);
        if (n > 0 && !plat_fread(f, out->data(), (size_t)n)) why = "cannot be read";
    }
    plat_fclose(f);
    return why;
}

bool plat_filetime(const char* gamepath, i64* ns) {
    struct stat st;
    if (stat(plat_readpath(gamepath).c_str(), &st) != 0) return false;
    *ns = (i64)st.st_mtim.tv_sec * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

bool plat_readfile(const char* gamepath, std::vector<u8>* out, size_t maxbytes) {
    return !plat_readfilewhy(gamepath, out, maxbytes);
}

const char* plat_readfilewhy(const char* gamepath, std::vector<u8>* out, size_t maxbytes) {
    platfile* f = plat_fopenread(gamepath);
    if (!f && plat_fileexists(gamepath)) return "not a file";
    return readwhole(f, out, maxbytes);
}

bool plat_readhostfile(const std::string& hostpath, std::vector<u8>* out, size_t maxbytes) {
    return !readwhole(openregularhost(hostpath, O_RDONLY, "rb"), out, maxbytes);
}

bool plat_writefile(const char* gamepath, const void* data, size_t n) {
    std::string why;
    return plat_safewritefile(gamepath, data, n, &why);
}

bool plat_copyfile(const char* from, const char* to) {
    std::vector<u8> data;
    return plat_readfile(from, &data, PLAT_COPYMAX) && plat_writefile(to, data.data(), data.size());
}

bool plat_fileexists(const char* gamepath) {
    struct stat st;
    return stat(plat_readpath(gamepath).c_str(), &st) == 0;
}

bool plat_makedir(const char* gamepath) {
    std::string p = plat_writepath(gamepath);
    struct stat st;
    if (stat(p.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    return mkdir(p.c_str(), 0755) == 0;
}

static bool wildmatch(const char* pat, const char* s) {
    for (; *pat; pat++, s++) {
        if (*pat == '*') {
            for (;; s++) {
                if (wildmatch(pat + 1, s)) return true;
                if (!*s) return false;
            }
        }
        if (!*s) return false;
        if (*pat != '?' && std::tolower((unsigned char)*pat) != std::tolower((unsigned char)*s)) return false;
    }
    return !*s;
}

static void listinto(const std::string& dir, const char* pattern, std::vector<std::string>* names) {
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return;
    size_t before = names->size();
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n == "." || n == ".." || !wildmatch(pattern, n.c_str())) continue;
        // The game matches names ignoring case, so the shipped "Map0.dat" and
        // the player's "map0.dat" are one file to it: the player's, listed
        // first, wins.
        bool seen = false;
        for (size_t k = 0; k < before; k++) seen = seen || strcasecmp((*names)[k].c_str(), n.c_str()) == 0;
        if (!seen) names->push_back(n);
    }
    closedir(d);
}

std::vector<std::string> plat_listdir(const char* gamedir, const char* pattern) {
    std::vector<std::string> names;
    if (plat_twotrees()) {
        listinto(plat_resolvepath(plat_usertree(), gamedir), pattern, &names);
        listinto(plat_resolvepath(plat_contenttree(), gamedir), pattern, &names);
    } else {
        listinto(plat_hostpath(gamedir), pattern, &names);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string plat_getcwd() {
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}
