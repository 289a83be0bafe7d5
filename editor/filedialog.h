#pragma once
// The file dialog the land and item editors pick bitmaps with. It works on
// absolute host paths of any length and never changes the working directory.
#include <string>
#include <vector>

#include "platform/types.h"

extern std::string lastfiledir;  // where the dialog was when it last closed
extern u8 reopenfiledir;         // open there next time instead of the folder asked for
extern std::string chosenpath;   // the file picked last, absolute
extern std::string filedialogdir; // the folder the open dialog shows

struct filelisting {
    std::vector<std::string> dirs;  // "..", then the folders
    std::vector<std::string> files; // regular files matching the pattern
};

// Lists dir: ".." (except at "/") and its folders, then its files that match
// pattern ('*' and '?', any letter case; a list as filespecmatch takes); each
// part sorted ignoring case. False when the folder cannot be read.
bool listfiledir(const std::string& dir, const char* pattern, filelisting* out);
// The entries of more that into does not have yet, by name ignoring case;
// each part stays sorted as listfiledir sorts it.
void mergefilelisting(filelisting* into, const filelisting& more);
// dir and name joined; ".." goes up one level, never above "/".
std::string joinfiledir(const std::string& dir, const std::string& name);
// Case-insensitive wildcard match of a whole name; a pattern may be a list
// separated by ';' ("*.bmp;*.png"), matching when any of them does.
bool filespecmatch(const char* pattern, const char* name);
// The places list: the game's data folder (with two trees the shipped content
// and the player's own tree), the home folder if there is one, and "/"; names
// as shown and the paths they stand for.
void fileplaces(std::vector<std::string>* names, std::vector<std::string>* paths);

// Runs the dialog on the data folder's subfolder `folder` (a game path such
// as "terrain"), or on lastfiledir when reopenfiledir is set. 1 when a file
// was chosen (chosenpath), 0 otherwise.
u32 choosefile(const char* folder, const char* pattern);
// The pictures the editors take their sources from: whatever plat_loadbitmap reads.
constexpr const char* PICTUREFILES = "*.bmp;*.png";

// The open dialog's parts, for its input and for tests.
extern int fdfolders, fdfiles, fdplaces;
// Shows another folder; false (the dialog closing, the error shown) when it
// cannot be read.
bool filedialog_show(const std::string& dir);
// The list actions: a double click, or Enter on the list.
void filedialog_activate(int ctl, i32 row);
