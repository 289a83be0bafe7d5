#pragma once
// The player's settings (vennor.ini): what the game reads at start and
// writes back the moment a setting changes in play.
#include <string>
#include <vector>

// The value the settings file gives key, or nullptr when it gives none (or its line was refused).
const char* plat_setting(const char* key);
// Sets key to value in memory and writes the file at once through the safe-write path, keeping the
// player's comments, unknown keys and line order. False with *why when the file could not be written.
bool plat_setsetting(const char* key, const char* value, std::string* why);
// Every key the file gives that starts with prefix, once each, in the order of their lines.
std::vector<std::string> plat_settingkeys(const char* prefix);
