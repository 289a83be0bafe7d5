// The settings file from the player's folder: any bytes become lines and
// refusals, never a failure as a whole. Every value taken as good must pass
// the check again, and writing the text back and reading it again must give
// the same settings.
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzzenv.h"
#include "platform/settingsparse.h"

static bool samesettings(const settingsdoc& a, const settingsdoc& b) {
    for (const settingline& l : a.lines) {
        if (!l.used) continue;
        const char* va = settings_find(a, l.key);
        const char* vb = settings_find(b, l.key);
        if (!va || !vb || std::string(va) != vb) return false;
    }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    settingsdoc doc = settings_parse(data, size);
    bool usable = doc.unusable.empty();
    for (const settingline& l : doc.lines)
        if (l.used && !settings_check(l.key, l.value).empty()) std::abort();
    for (const settingrefusal& r : doc.refused)
        if (r.line < 1 || r.reason.empty()) std::abort();
    if (usable) {
        std::string text = settings_text(doc);
        settingsdoc again = settings_parse((const u8*)text.data(), text.size());
        if (!again.unusable.empty() || !samesettings(doc, again)) std::abort();
        // A value changed rewrites to a file that reads back with it.
        settings_put(&doc, "volume", "7");
        text = settings_text(doc);
        again = settings_parse((const u8*)text.data(), text.size());
        const char* v = settings_find(again, "volume");
        if (!v || std::string(v) != "7") std::abort();
    }
    fuzzoutcome(usable);
    return 0;
}
