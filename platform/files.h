#pragma once
// Files. The game names them with backslashes and in any letter case
// ("bitmaps\full\mainmenu.bmp", "Bitmaps\Editor\..."); the layer turns the
// separators round and matches each component case-insensitively.
#include <string>
#include <vector>

#include "platform/types.h"

struct platfile;

// The host path a game path names. Components that exist in another case are
// matched; the rest are kept as written (for files about to be created).
std::string plat_hostpath(const char* gamepath);

// New, empty, write only, in place: for logs that must hold every line however
// the process ends. Other files are written through platform/safewrite.h.
platfile* plat_fcreate(const char* gamepath);
// Both open regular files only.
platfile* plat_fopenread(const char* gamepath);
platfile* plat_fopenupdate(const char* gamepath); // read and write, existing file
// False when buffered bytes could not be written out.
bool plat_fclose(platfile* f);
// True only when all n bytes were moved.
bool plat_fread(platfile* f, void* buf, size_t n);
bool plat_fwrite(platfile* f, const void* buf, size_t n);
bool plat_fseek(platfile* f, i64 pos);
i64 plat_fsize(platfile* f);
bool plat_fflush(platfile* f);

// Reads a whole regular file of at most maxbytes. A larger file is refused
// before anything is allocated for it; so is anything that is not a regular
// file.
bool plat_readfile(const char* gamepath, std::vector<u8>* out, size_t maxbytes);
// The same with the reason of a failure ("not there", "not a file", "too
// large", "cannot be read"); nullptr when the bytes are in *out.
const char* plat_readfilewhy(const char* gamepath, std::vector<u8>* out, size_t maxbytes);
// The same for a path of the host (a file named on the command line).
bool plat_readhostfile(const std::string& hostpath, std::vector<u8>* out, size_t maxbytes);
// The largest file plat_copyfile takes (backups of the game's data files).
constexpr size_t PLAT_COPYMAX = 256u << 20;
// Both replace the target whole or leave it as it was (platform/safewrite.h,
// which also gives the reason of a failure).
bool plat_writefile(const char* gamepath, const void* data, size_t n);
bool plat_copyfile(const char* from, const char* to);
bool plat_fileexists(const char* gamepath);
// When the file a read of gamepath finds was last written, in nanoseconds;
// false when there is none.
bool plat_filetime(const char* gamepath, i64* ns);
bool plat_makedir(const char* gamepath);
// Names (not paths) of the entries of a directory that match a pattern with
// '*' and '?' (case-insensitive), sorted.
std::vector<std::string> plat_listdir(const char* gamedir, const char* pattern);
std::string plat_getcwd();
