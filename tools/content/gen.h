#pragma once
// What every generator step is handed, and how it reports failure.
#include <string>

struct GenContext {
    std::string datadir;   // root of the content tree being written
    std::string sheetdir;  // contact sheets go here; empty for none
};

// A step writes its part of the tree; false with a reason in why.
using GenStep = bool (*)(const GenContext& ctx, std::string& why);

// A path inside the data tree, rel using '/' separators.
inline std::string data_path(const GenContext& ctx, const std::string& rel) { return ctx.datadir + "/" + rel; }
