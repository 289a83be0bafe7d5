#pragma once
// PNG output for screenshots and contact sheets: 8-bit RGB, stored deflate.
#include <string>
#include <vector>

#include "platform/types.h"

// rgb holds width x height pixels of three bytes, rows top to bottom.
std::vector<u8> png_encode(i32 width, i32 height, const u8* rgb);
bool png_write(const std::string& hostpath, i32 width, i32 height, const u8* rgb);
