#pragma once
// The settings file's text: "key = value" lines, '#' comments, blank lines.
// Parsing keeps every line as written so that changing one value rewrites
// only that line and the player's comments, unknown keys and order stay.
#include <string>
#include <vector>

#include "platform/types.h"

// Longer lines are refused: nothing the game writes comes near it, and a
// runaway line is more likely a wrong file than a setting.
constexpr size_t SETTINGS_MAXLINE = 1024;

struct settingline {
    std::string text;   // as written, without its line end
    std::string key;    // empty for comments, blank and refused lines
    std::string value;
    bool used = false;  // key and value are known good
};

struct settingrefusal {
    int line = 0;  // from 1
    std::string reason;
};

struct settingsdoc {
    std::vector<settingline> lines;
    std::vector<settingrefusal> refused;
    std::string unusable;  // set when the whole file is not a settings file
};

// Bytes in, lines and refusals out; never fails as a whole.
settingsdoc settings_parse(const u8* data, size_t n);
// Empty when value suits key, else why not. Keys the game does not know
// are accepted as they are (a newer version may know them).
std::string settings_check(const std::string& key, const std::string& value);
// The value the last usable line gives key; null when none does.
const char* settings_find(const settingsdoc& doc, const std::string& key);
// Changes the last usable line of key or appends one.
void settings_put(settingsdoc* doc, const std::string& key, const std::string& value);
// The text to write back: every line as it was read, changed ones rewritten.
std::string settings_text(const settingsdoc& doc);
