#pragma once
// The item types and their pictures: items/items.dat and items/items.raw,
// numbered as in itemcatalog.h, and with --sheets a contact sheet.
#include <string>

#include "tools/content/gen.h"
#include "tools/content/itembuild.h"

// Every item of the catalogue, drawn and encoded.
bool build_items(ItemSet& set, std::string& why);
bool gen_items(const GenContext& ctx, std::string& why);
