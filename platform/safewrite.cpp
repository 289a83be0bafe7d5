#include "platform/safewrite.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/usertree.h"

struct safefile {
    std::string target; // host path
    std::string temp;
    std::string backup; // the old target's second name while a set is installed
    int fd = -1;
    mode_t mode = 0;
    bool failed = false;
    std::string why; // the first failure, for the commit to repeat
};

namespace {

int stepsdone = 0;
int failat = 0;

// Every fallible step asks first; an injected failure looks like a failing disk.
bool injected() {
    stepsdone++;
    if (failat != 0 && stepsdone == failat) {
        errno = EIO;
        return true;
    }
    return false;
}

std::string failure(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

std::string folderof(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A link is followed, so that it goes on naming the file with the new bytes.
std::string resolved(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char buf[PATH_MAX];
    return realpath(path.c_str(), buf) ? std::string(buf) : path;
}

mode_t newfilemode() {
    mode_t mask = umask(022);
    umask(mask);
    return 0666 & ~mask;
}

bool closefd(safefile* f, std::string* why) {
    int fd = f->fd;
    f->fd = -1;
    bool fail = injected();
    if (close(fd) != 0) fail = true;
    if (fail) *why = failure("cannot close", f->target);
    return !fail;
}

// The temporary is flushed to disk and closed: its bytes are final.
bool finish(safefile* f, std::string* why) {
    if (f->failed) {
        *why = f->why;
        return false;
    }
    if (injected() || fsync(f->fd) != 0) {
        *why = failure("cannot flush", f->target);
        return false;
    }
    return closefd(f, why);
}

void removetemp(safefile* f) {
    if (f->fd >= 0) close(f->fd);
    f->fd = -1;
    if (!f->temp.empty()) unlink(f->temp.c_str());
    f->temp.clear();
}

void syncfolder(const std::string& folder, bool* ok) {
    if (injected()) {
        *ok = false;
        return;
    }
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        *ok = false;
        return;
    }
    // Some file systems cannot flush a folder at all; that is no failure of ours.
    if (fsync(fd) != 0 && errno != EINVAL) *ok = false;
    close(fd);
}

bool syncfolders(const std::vector<safefile*>& files, std::string* why) {
    std::vector<std::string> done;
    for (safefile* f : files) {
        std::string folder = folderof(f->target);
        bool seen = false;
        for (const std::string& d : done) seen = seen || d == folder;
        if (seen) continue;
        done.push_back(folder);
        bool ok = true;
        syncfolder(folder, &ok);
        if (!ok) {
            // Named by the file: the folder alone may be "." and tell the
            // player nothing.
            *why = failure("cannot flush the folder of", f->target);
            return false;
        }
    }
    return true;
}

// A second name for the old target, so that it can be put back.
bool keepold(safefile* f, std::string* why) {
    struct stat st;
    if (lstat(f->target.c_str(), &st) != 0) return true; // nothing to keep
    for (int attempt = 0; attempt < 8; attempt++) {
        std::string name = f->target + ".oldXXXXXX";
        int fd = mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) break;
        close(fd);
        unlink(name.c_str());
        if (injected()) break;
        if (link(f->target.c_str(), name.c_str()) == 0) {
            f->backup = name;
            return true;
        }
        if (errno != EEXIST) break;
    }
    *why = failure("cannot keep the old", f->target);
    return false;
}

void dropbackups(const std::vector<safefile*>& files) {
    for (safefile* f : files) {
        if (!f->backup.empty()) unlink(f->backup.c_str());
        f->backup.clear();
    }
}

// Puts the old targets of the first `renamed` files back; the others were
// never touched. Adds to why what could not be put back.
void rollback(const std::vector<safefile*>& files, size_t renamed, std::string* why) {
    for (size_t i = 0; i < files.size(); i++) {
        safefile* f = files[i];
        if (i >= renamed) {
            removetemp(f);
            continue;
        }
        if (f->backup.empty()) {
            unlink(f->target.c_str());
        } else if (rename(f->backup.c_str(), f->target.c_str()) == 0) {
            f->backup.clear();
        } else {
            *why += "; the old " + f->target + " is kept as " + f->backup;
            f->backup.clear(); // it must not be removed below
        }
    }
    dropbackups(files);
    bool ignored = true;
    for (safefile* f : files) {
        int saved = failat;
        failat = 0; // putting things back is not a step a test breaks
        syncfolder(folderof(f->target), &ignored);
        failat = saved;
    }
}

// Every temporary is final: keep the old targets, rename, flush the folders.
bool install(const std::vector<safefile*>& files, std::string* why) {
    for (safefile* f : files) {
        if (!keepold(f, why)) {
            rollback(files, 0, why);
            return false;
        }
    }
    for (size_t i = 0; i < files.size(); i++) {
        safefile* f = files[i];
        if (injected() || rename(f->temp.c_str(), f->target.c_str()) != 0) {
            *why = failure("cannot replace", f->target);
            rollback(files, i, why);
            return false;
        }
        f->temp.clear();
    }
    if (!syncfolders(files, why)) {
        rollback(files, files.size(), why);
        return false;
    }
    dropbackups(files);
    return true;
}

void release(std::vector<safefile*>& files) {
    for (safefile* f : files) plat_safeabandon(f);
    files.clear();
}

} // namespace

safefile* plat_safeopenhost(const std::string& hostpath, std::string* why) {
    safefile* f = new safefile;
    f->target = resolved(hostpath);
    struct stat st;
    if (stat(f->target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            *why = f->target + " is not a regular file";
            delete f;
            return nullptr;
        }
        f->mode = st.st_mode & 07777;
    } else {
        f->mode = newfilemode();
    }
    f->temp = f->target + ".tmpXXXXXX";
    f->fd = injected() ? -1 : mkostemp(f->temp.data(), O_CLOEXEC);
    if (f->fd < 0) {
        *why = failure("cannot create a file beside", f->target);
        f->temp.clear();
        delete f;
        return nullptr;
    }
    if (injected() || fchmod(f->fd, f->mode) != 0) {
        *why = failure("cannot set the mode of", f->target);
        plat_safeabandon(f);
        return nullptr;
    }
    return f;
}

safefile* plat_safeopen(const char* gamepath, std::string* why) { return plat_safeopenhost(plat_writepath(gamepath), why); }

bool plat_safewrite(safefile* f, const void* data, size_t n, std::string* why) {
    if (f->failed) {
        *why = f->why;
        return false;
    }
    const u8* p = (const u8*)data;
    while (n > 0) {
        ssize_t done = -1;
        if (!injected()) {
            done = ::write(f->fd, p, n < ((size_t)1 << 30) ? n : (size_t)1 << 30);
            if (done < 0 && errno == EINTR) continue;
            if (done == 0) errno = ENOSPC;
        }
        if (done <= 0) {
            f->failed = true;
            f->why = *why = failure("cannot write", f->target);
            return false;
        }
        p += done;
        n -= (size_t)done;
    }
    return true;
}

bool plat_safecommit(safefile* f, std::string* why) {
    std::vector<safefile*> one = {f};
    bool ok = finish(f, why) && install(one, why);
    release(one);
    return ok;
}

void plat_safeabandon(safefile* f) {
    if (!f) return;
    removetemp(f);
    delete f;
}

bool plat_safewritehostfile(const std::string& hostpath, const void* data, size_t n, std::string* why) {
    safefile* f = plat_safeopenhost(hostpath, why);
    if (!f) return false;
    if (!plat_safewrite(f, data, n, why)) {
        plat_safeabandon(f);
        return false;
    }
    return plat_safecommit(f, why);
}

bool plat_safewritefile(const char* gamepath, const void* data, size_t n, std::string* why) {
    return plat_safewritehostfile(plat_writepath(gamepath), data, n, why);
}

bool plat_safewriteset(const std::vector<safepart>& parts, std::string* why) {
    std::vector<safefile*> files;
    bool ok = true;
    for (const safepart& p : parts) {
        safefile* f = plat_safeopen(p.gamepath.c_str(), why);
        if (!f) {
            ok = false;
            break;
        }
        files.push_back(f);
        for (size_t i = 0; i + 1 < files.size(); i++) {
            if (files[i]->target == f->target) {
                *why = f->target + " is named twice";
                ok = false;
            }
        }
        if (!ok || !plat_safewrite(f, p.data, p.size, why) || !finish(f, why)) {
            ok = false;
            break;
        }
    }
    ok = ok && install(files, why);
    release(files);
    return ok;
}

void plat_safewritefailat(int n) {
    failat = n;
    stepsdone = 0;
}

int plat_safewritesteps() { return stepsdone; }
