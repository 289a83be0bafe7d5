#include "platform/script.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "platform/winmsg.h"

struct namedkey {
    const char* name;
    u32 vk;
};

static const namedkey keynames[] = {
    {"ESC", VK_ESCAPE}, {"ENTER", VK_RETURN}, {"TAB", VK_TAB},     {"SPACE", VK_SPACE},
    {"DEL", VK_DELETE}, {"END", VK_END},      {"HOME", VK_HOME},   {"LEFT", VK_LEFT},
    {"RIGHT", VK_RIGHT}, {"UP", VK_UP},       {"DOWN", VK_DOWN},   {"SHIFT", VK_SHIFT},
    {"CTRL", VK_CONTROL}, {"CAPSLOCK", VK_CAPITAL}, {"BACK", VK_BACK}, {"PGUP", VK_PRIOR},
    {"PGDN", VK_NEXT}, {"MINUS", VK_OEM_MINUS}, {"EQUALS", VK_OEM_PLUS}, {"LBRACKET", VK_OEM_4},
    {"RBRACKET", VK_OEM_6}, {"COMMA", VK_OEM_COMMA}, {"PERIOD", VK_OEM_PERIOD}, {"PAUSE", VK_PAUSE},
    {"PADBACK", VK_GAMEPAD_VIEW_BUTTON},
};

static std::string upper(std::string s) {
    for (char& c : s) c = (char)std::toupper((unsigned char)c);
    return s;
}

static bool numbered(const std::string& s, const char* prefix, int lo, int hi, int* n) {
    std::string p = prefix;
    if (s.size() <= p.size() || s.compare(0, p.size(), p) != 0) return false;
    std::string rest = s.substr(p.size());
    for (char c : rest)
        if (!std::isdigit((unsigned char)c)) return false;
    *n = (int)std::strtol(rest.c_str(), nullptr, 10);
    return *n >= lo && *n <= hi;
}

u32 script_keycode(const std::string& raw) {
    std::string s = upper(raw);
    if (s.size() == 1 && (std::isupper((unsigned char)s[0]) || std::isdigit((unsigned char)s[0]))) return (u32)s[0];
    for (const namedkey& k : keynames)
        if (s == k.name) return k.vk;
    int n;
    if (numbered(s, "NUMPAD", 0, 9, &n)) return VK_NUMPAD0 + (u32)n;
    if (numbered(s, "F", 1, 12, &n)) return VK_F1 + (u32)n - 1;
    return 0;
}

std::string script_keyname(u32 vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, (char)vk);
    for (const namedkey& k : keynames)
        if (vk == k.vk) return k.name;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return "NUMPAD" + std::to_string(vk - VK_NUMPAD0);
    if (vk >= VK_F1 && vk <= VK_F1 + 11) return "F" + std::to_string(vk - VK_F1 + 1);
    return "";
}

struct eventname {
    const char* name;
    scriptkind kind;
    int args; // 0, 1 (key or file) or 2 (x y)
};

static const eventname eventnames[] = {
    {"move", SE_MOVE, 2},   {"ldown", SE_LDOWN, 0},     {"lup", SE_LUP, 0},       {"rdown", SE_RDOWN, 0},
    {"rup", SE_RUP, 0},     {"key", SE_KEY, 1},         {"keydown", SE_KEYDOWN, 1}, {"keyup", SE_KEYUP, 1},
    {"shot", SE_SHOT, 1},   {"dump", SE_DUMP, 1},     {"quit", SE_QUIT, 0},
};

static bool parsenumber(const std::string& s, long lo, long hi, long* out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(s.c_str(), &end, 10);
    if (*end || errno || v < lo || v > hi) return false;
    *out = v;
    return true;
}

// Arguments of one event; an empty string when they are right, else the reason.
static std::string parseargs(const eventname& en, std::istringstream& in, scriptevent* e) {
    std::string a, b, extra;
    if (en.args >= 1 && !(in >> a)) return std::string(en.name) + " needs " + (en.args == 2 ? "X and Y" : "an argument");
    if (en.args == 2 && !(in >> b)) return "move needs X and Y";
    if (in >> extra) return "unexpected '" + extra + "'";
    long x, y;
    if (en.kind == SE_MOVE) {
        if (!parsenumber(a, 0, 639, &x) || !parsenumber(b, 0, 479, &y)) return "move takes X 0..639 and Y 0..479";
        e->x = (i32)x;
        e->y = (i32)y;
    } else if (en.kind == SE_SHOT || en.kind == SE_DUMP) {
        e->file = a;
    } else if (en.args == 1) {
        e->vk = script_keycode(a);
        if (!e->vk) return "unknown key '" + a + "'";
    }
    return "";
}

// The typed text is the rest of the line after one space, trailing spaces
// included: a recorded space must play back as one.
static std::string parsetext(const std::string& text, std::istringstream& in, scriptevent* e) {
    size_t at = (size_t)in.tellg();
    std::string rest = at < text.size() ? text.substr(at + 1) : "";
    if (rest.empty()) return "text needs the characters to type";
    for (char c : rest)
        if ((unsigned char)c < 32 || (unsigned char)c > 126) return "text takes printable characters only";
    e->text = rest;
    return "";
}

static std::string parseline(const std::string& line, scriptevent* e, bool* empty) {
    std::string text = line.substr(0, line.find('#'));
    std::istringstream in(text);
    std::string tick, name;
    *empty = !(in >> tick);
    if (*empty) return "";
    long t;
    if (!parsenumber(tick, 0, 0xFFFFFFFFL, &t)) return "bad tick '" + tick + "'";
    if (!(in >> name)) return "missing event";
    e->tick = (u32)t;
    if (name == "text") {
        e->kind = SE_TEXT;
        return parsetext(text, in, e);
    }
    for (const eventname& en : eventnames) {
        if (name != en.name) continue;
        e->kind = en.kind;
        return parseargs(en, in, e);
    }
    return "unknown event '" + name + "'";
}

bool script_parse(const std::string& text, std::vector<scriptevent>* out, std::string* err) {
    std::istringstream in(text);
    std::string line;
    std::vector<scriptevent> events;
    int lineno = 0;
    while (std::getline(in, line)) {
        lineno++;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        scriptevent e;
        bool empty;
        std::string why = parseline(line, &e, &empty);
        if (!why.empty()) {
            *err = "line " + std::to_string(lineno) + ": " + why;
            return false;
        }
        if (empty) continue;
        if (!events.empty() && e.tick < events.back().tick) {
            *err = "line " + std::to_string(lineno) + ": tick goes backwards";
            return false;
        }
        e.line = lineno;
        events.push_back(e);
    }
    *out = std::move(events);
    return true;
}
