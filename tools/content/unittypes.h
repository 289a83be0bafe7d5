#pragma once
// The twelve unit types: who fights how, with what reach and which spells.
#include <string>

#include "tools/content/gen.h"
#include "world/unittype.h"

unittyperec unit_type_of(int n);
// units/unit<n>.dat for every type.
bool write_unit_types(const GenContext& ctx, std::string& why);
