#pragma once
// The game's files live in one of two arrangements.
//
// One tree (--data DIR, and every process that never sets up trees): game
// paths are read and written in that tree, as plat_hostpath resolves them.
//
// Two trees: the shipped content, which is only ever read, and the player's
// own tree, which takes everything the game writes under the same folder and
// file names. A file the player's tree holds is read instead of the shipped
// one, so the game sees its own earlier work first.
#include <string>

// The game path resolved below root, each component matched ignoring case
// (the exact spelling wins); an empty root is the working directory. An
// absolute game path ignores the root.
std::string plat_resolvepath(const std::string& root, const char* gamepath);

void plat_setonetree(const std::string& dir);
// Both absolute. The player's tree is made if it is missing and tried with a
// write; what went wrong, naming the folder, is kept for
// plat_usertreeproblem. Either way the trees are in force afterwards: with a
// broken player's tree every write fails and nothing goes elsewhere.
void plat_settwotrees(const std::string& content, const std::string& user);
bool plat_twotrees();
const std::string& plat_contenttree();
// Empty with one tree.
const std::string& plat_usertree();
// Empty while the player's tree can be written.
const std::string& plat_usertreeproblem();
// A box (and standard error) about that problem, if there is one.
void plat_tellusertree();

// $XDG_DATA_HOME/vennor, or ~/.local/share/vennor; empty when neither can
// be found (no home at all).
std::string plat_defaultusertree();
// Makes dir and its missing parents, then writes and removes a probe file.
// False with the reason, naming the folder.
bool plat_preparetree(const std::string& dir, std::string* why);

// Where a read of gamepath looks: the player's file when it has one, else
// the shipped one.
std::string plat_readpath(const char* gamepath);
// Where a write of gamepath goes: always the player's tree with two trees,
// spelled as the shipped tree spells the names it already has. The folders
// leading to it are made inside the player's tree (never the tree itself).
std::string plat_writepath(const char* gamepath);

// For a host folder inside one tree, the same game folder in the other one
// (matched ignoring case). False with one tree or when dir is in neither.
bool plat_othertree(const std::string& hostdir, std::string* other);
