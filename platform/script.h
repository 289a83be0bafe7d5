#pragma once
// Input scripts: one event per line, "TICK EVENT [ARGS]", '#' starts a comment.
// "TICK text STRING" types STRING: everything after the one space that
// follows "text" up to the line's end, spaces included (so never a '#').
// The same format is what --record writes.
#include <string>
#include <vector>

#include "platform/types.h"

enum scriptkind { SE_MOVE, SE_LDOWN, SE_LUP, SE_RDOWN, SE_RUP, SE_KEY, SE_KEYDOWN, SE_KEYUP, SE_SHOT, SE_DUMP, SE_TEXT, SE_QUIT };

struct scriptevent {
    u32 tick = 0;
    scriptkind kind = SE_QUIT;
    i32 x = 0, y = 0;  // move
    u32 vk = 0;        // key, keydown, keyup
    std::string file;  // shot, dump
    std::string text;  // text: typed characters, printable ASCII
    int line = 0;
};

// False with "line N: reason" in *err for the first malformed line.
bool script_parse(const std::string& text, std::vector<scriptevent>* out, std::string* err);
// Virtual-key code of a script key name (A, 7, ESC, F11, NUMPAD3, ...); 0 if unknown.
u32 script_keycode(const std::string& name);
// The script name of a virtual-key code; empty when the script cannot name it.
std::string script_keyname(u32 vk);
