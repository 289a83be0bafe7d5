#pragma once
// items.raw and items.dat as the item editor leaves them, with their
// backups (items.ra0, items.da0), written all together or not at all.
#include <string>
#include <vector>

#include "platform/types.h"

constexpr const char* ITEMSRAWNAME = "items\\items.raw";
constexpr const char* ITEMSDATNAME = "items\\items.dat";

// Both files built from memory: pictures of used items one after another in
// 5-5-5 (converted on copies in 5-6-5), each record as it is in memory with
// the offset its picture got. A used record with no picture in memory is
// written with none.
void builditemfiles(std::vector<u8>* raw, std::vector<u8>* dat, std::vector<u32>* offsets);
// Writes both files and their backups; false with the reason, nothing on
// disk changed.
bool saveitems(std::string* why);
