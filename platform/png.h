#pragma once
// PNG output for screenshots and contact sheets: 8-bit RGB, compressed by
// libpng. The same pixels always give the same bytes.
#include <string>
#include <vector>

#include "platform/types.h"

// rgb holds width x height pixels of three bytes, rows top to bottom. Empty
// when the image is empty or too large.
std::vector<u8> png_encode(i32 width, i32 height, const u8* rgb);
// Through the safe-write path: a failure leaves an older file as it was.
bool png_write(const std::string& hostpath, i32 width, i32 height, const u8* rgb, std::string* why = nullptr);
