#include "platform/files.h"
#include "platform/safewrite.h"

std::string plat_backupname(const std::string& gamepath) {
    std::string b = gamepath;
    if (!b.empty()) b.back() = '0';
    return b;
}

bool plat_addbackups(std::vector<safepart>* set, std::vector<std::vector<u8>>* keep, size_t cap, std::string* why) {
    size_t n = set->size();
    // The set points into keep's buffers: no reallocation may move them.
    keep->clear();
    keep->reserve(n);
    for (size_t k = 0; k < n; k++) {
        std::string target = (*set)[k].gamepath;
        if (!plat_fileexists(target.c_str())) continue;
        keep->emplace_back();
        if (!plat_readfile(target.c_str(), &keep->back(), cap)) {
            *why = "cannot read " + target + " to keep it as " + plat_backupname(target);
            return false;
        }
        set->push_back({plat_backupname(target), keep->back().data(), keep->back().size()});
    }
    return true;
}
