#pragma once
// Where the player's settings live and how a run takes them up.
#include <string>

// The cap on the settings file: a real one is a few hundred bytes.
constexpr size_t SETTINGS_MAXFILE = 64u << 10;

// $XDG_CONFIG_HOME/vennor/vennor.ini, else ~/.config/vennor/vennor.ini;
// empty when neither variable gives an absolute folder.
std::string settings_defaultpath();
// Takes up the file at path (empty: no file; settings then live in memory
// only). A missing file gives the defaults and is created at the first
// change. A file that cannot be used as a whole (too large, not a regular
// file, not text) is said on stderr and never written over; each refused
// line is said with its line number and counts as absent.
void settings_load(const std::string& path);
// The file this run reads and writes; empty when none.
const std::string& settings_path();
