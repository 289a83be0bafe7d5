#pragma once
// The one way the program writes a file. The bytes go to a temporary file
// in the target's folder ("NAME.tmpXXXXXX"); every write, the flush to disk
// and the close are checked; only then is the temporary renamed over the
// target and the folder flushed. A failure at any step leaves the old
// target as it was (or absent, if there was none), removes the temporary
// and says why.
//
// A set of files is written so that a failure part way leaves the old set
// whole: every temporary is written and flushed first; each existing target
// is then kept under a second name ("NAME.oldXXXXXX", a hard link, so the
// folder must allow them); then the renames. If a rename or the folder flush
// fails, the files already replaced are put back from those links. The
// links are removed once every file is in place.
//
// What this cannot promise: the renames are several steps, so a power cut
// in the middle of them can leave some new and some old files; the old ones
// then still lie beside them as NAME.oldXXXXXX. A rollback rename that
// fails as well (the disk going away under us) leaves the old file under
// that name, and the reason says so.
#include <string>
#include <vector>

#include "platform/types.h"

struct safefile;

// Starts a file at a game path (backslashes, any case, as platform/files.h).
// Null with the reason when the temporary cannot be made or the target is
// not a regular file.
safefile* plat_safeopen(const char* gamepath, std::string* why);
// The same for a path of the host (command-line names).
safefile* plat_safeopenhost(const std::string& hostpath, std::string* why);
// False with the reason on a failed write; the file stays open for
// plat_safeabandon, and later writes and the commit fail too.
bool plat_safewrite(safefile* f, const void* data, size_t n, std::string* why);
// Flushes, closes and renames over the target. Frees f whatever happens.
bool plat_safecommit(safefile* f, std::string* why);
// Removes the temporary; the target is untouched. Frees f; null is fine.
void plat_safeabandon(safefile* f);

// One file from a buffer.
bool plat_safewritefile(const char* gamepath, const void* data, size_t n, std::string* why);
bool plat_safewritehostfile(const std::string& hostpath, const void* data, size_t n, std::string* why);

struct safepart {
    std::string gamepath;
    const void* data;
    size_t size;
};
// All the parts or none of them (within the limits above).
bool plat_safewriteset(const std::vector<safepart>& parts, std::string* why);

// For tests: the n-th fallible step from now (creating, writing, flushing,
// closing, linking, renaming, flushing a folder) fails as if the system had
// refused it; 0 turns this off. plat_safewritesteps counts the steps since
// the last call of plat_safewritefailat.
void plat_safewritefailat(int n);
int plat_safewritesteps();

// The editors keep the file each save replaces as a backup: the same name
// with its last character turned into '0' (items.raw -> items.ra0). For every
// part whose target exists now, its present bytes (read into `keep`, which
// must outlive the set) are added to the set under the backup's name, so one
// plat_safewriteset replaces files and backups together or neither. False with
// the reason when a present file cannot be read (or is larger than `cap`):
// saving then would lose the only good copy's backup.
bool plat_addbackups(std::vector<safepart>* set, std::vector<std::vector<u8>>* keep, size_t cap, std::string* why);
std::string plat_backupname(const std::string& gamepath);
