#pragma once
// The PCX pictures the fonts are drawn from: one 8-bit plane, run-length
// packed, with a 768-byte palette at the end that the fonts do not use.
#include <string>
#include <vector>

#include "platform/types.h"

// Unpacks a whole PCX file held in memory into width x height palette
// indices, rows top to bottom; the size is the header's window. False (with
// a reason in *why when given, outputs untouched) when the file is too
// short, its header is not one run-length packed 8-bit plane with its
// window in order and lines at least as long as the width, it asks for more
// pixels than its bytes could hold, or the packed data ends before the last
// row.
bool pcx_decode(const u8* data, size_t size, std::vector<u8>* out, i32* width, i32* height,
                std::string* why = nullptr);
