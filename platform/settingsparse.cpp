// Reading and rewriting the settings file's lines.
#include "platform/settingsparse.h"

#include <cstdlib>
#include <cstring>

#include "platform/script.h"

namespace {

bool isflag(const std::string& v) { return v == "0" || v == "1"; }

bool inrange(const std::string& v, long lo, long hi) {
    if (v.empty() || v.size() > 4) return false;
    for (char c : v)
        if (c < '0' || c > '9') return false;
    long n = std::strtol(v.c_str(), nullptr, 10);
    return n >= lo && n <= hi;
}

struct knownkey {
    const char* key;
    bool (*ok)(const std::string& v);
    const char* wants;
};

const knownkey knownkeys[] = {
    {"fullscreen", isflag, "0 or 1"},
    {"mute", isflag, "0 or 1"},
    {"grab", isflag, "0 or 1"},
    {"scale", [](const std::string& v) { return inrange(v, 1, 8); }, "a whole number from 1 to 8"},
    {"volume", [](const std::string& v) { return inrange(v, 0, 100); }, "a whole number from 0 to 100"},
    {"pixel-format", [](const std::string& v) { return v == "555" || v == "565"; }, "555 or 565"},
    {"frame-delay", [](const std::string& v) { return inrange(v, 0, 31); }, "a whole number from 0 to 31"},
};

bool iskeychar(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.'; }

// Tabs are spacing; any other control byte means this is not a text line.
bool istext(const std::string& s) {
    for (unsigned char c : s)
        if ((c < 0x20 && c != '\t') || c == 0x7f) return false;
    return true;
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Fills the line's key and value; the reason it cannot be used, or empty.
std::string readline(settingline* l) {
    std::string body = l->text;
    if (!body.empty() && body.back() == '\r') body.pop_back();
    if (body.size() > SETTINGS_MAXLINE) return "line longer than " + std::to_string(SETTINGS_MAXLINE) + " bytes";
    if (!istext(body)) return "line holds bytes that are not text";
    std::string t = trim(body);
    if (t.empty() || t[0] == '#') return "";
    size_t eq = t.find('=');
    if (eq == std::string::npos) return "no '=' (a setting is written \"key = value\")";
    std::string key = trim(t.substr(0, eq)), value = trim(t.substr(eq + 1));
    if (key.empty()) return "no key before '='";
    for (char c : key)
        if (!iskeychar(c)) return "\"" + key + "\" is not a key name (lower-case letters, digits, '-')";
    l->key = key;
    l->value = value;
    std::string bad = settings_check(key, value);
    if (bad.empty()) l->used = true;
    return bad;
}

// The last line naming key: the usable one when usable is set, any otherwise.
int lastline(const settingsdoc& doc, const std::string& key, bool usable) {
    for (size_t i = doc.lines.size(); i-- > 0;)
        if (doc.lines[i].key == key && (doc.lines[i].used || !usable)) return (int)i;
    return -1;
}

}  // namespace

std::string settings_check(const std::string& key, const std::string& value) {
    for (const knownkey& k : knownkeys)
        if (key == k.key) return k.ok(value) ? "" : key + " takes " + k.wants + ", not \"" + value + "\"";
    if (key.compare(0, 4, "key-") == 0 && script_keycode(value) == 0)
        return key + ": \"" + value + "\" is not a key name (A, 7, SPACE, F5, NUMPAD3, ...)";
    return "";
}

settingsdoc settings_parse(const u8* data, size_t n) {
    settingsdoc doc;
    if (n > 0 && std::memchr(data, 0, n)) {
        doc.unusable = "holds zero bytes: not a settings file";
        return doc;
    }
    size_t at = 0;
    while (at < n) {
        const u8* nl = (const u8*)std::memchr(data + at, '\n', n - at);
        size_t end = nl ? (size_t)(nl - data) : n;
        settingline l;
        l.text.assign((const char*)data + at, end - at);
        std::string bad = readline(&l);
        if (!bad.empty()) doc.refused.push_back({(int)doc.lines.size() + 1, bad});
        doc.lines.push_back(l);
        at = end + 1;
    }
    return doc;
}

const char* settings_find(const settingsdoc& doc, const std::string& key) {
    int i = lastline(doc, key, true);
    return i < 0 ? nullptr : doc.lines[(size_t)i].value.c_str();
}

void settings_put(settingsdoc* doc, const std::string& key, const std::string& value) {
    int i = lastline(*doc, key, true);
    // A refused line of the key is the one the new value stands in for.
    if (i < 0) i = lastline(*doc, key, false);
    settingline l;
    l.key = key;
    l.value = value;
    l.used = true;
    l.text = key + " = " + value;
    if (i < 0) {
        doc->lines.push_back(l);
        return;
    }
    settingline& old = doc->lines[(size_t)i];
    if (!old.text.empty() && old.text.back() == '\r') l.text += '\r';
    old = l;
}

std::string settings_text(const settingsdoc& doc) {
    std::string out;
    for (const settingline& l : doc.lines) out += l.text + "\n";
    return out;
}
