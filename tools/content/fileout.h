#pragma once
// Host-side output of the generator. Each call says why it failed, so the
// generator can stop with a message naming the file.
#include <string>
#include <vector>

#include "platform/types.h"

bool make_dirs(const std::string& path, std::string& why);
bool write_bytes(const std::string& path, const std::vector<u8>& bytes, std::string& why);
