#pragma once
// Where the shipped content tree is when the command line names none.
#include <string>

// An installed game keeps its tree at <prefix>/share/vennor beside
// <prefix>/bin/vennor, wherever the prefix is; a game run from its build
// folder uses the tree that build generated (builtin). An executable in a
// bin folder without the tree gets the installed path all the same, so the
// message that it is missing names the right place. exepath is the
// executable's own path; isdir says whether a host path is a directory.
std::string datadir_choose(const std::string& exepath, const std::string& builtin,
                           bool (*isdir)(const std::string&));

// The same for this process (its /proc/self/exe).
std::string datadir_default();

// The message for a content tree that cannot be entered: the path, the
// reason, and what the player can do about it.
std::string datadir_missing(const std::string& dir, bool named, int errnum);
