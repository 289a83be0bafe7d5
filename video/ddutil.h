#pragma once
// Bitmaps onto surfaces, and colour matching on them.
#include "platform/ddraw.h"

// A surface holding the bitmap `name` (a resource, else a file), at the
// bitmap's own size when width and height are 0. Null when it cannot load.
ddsurface* DDLoadBitmap(const char* name, i32 width, i32 height);
// The same in system memory, for reading the pixels back.
ddsurface* DDLoadBitmapSys(const char* name, i32 width, i32 height);
// The same from a file's bytes; null with the reason when they are no picture.
ddsurface* DDLoadBitmapBytes(const u8* data, size_t size, bool sysmem, std::string* why);
hresult ddreloadbitmap(ddsurface* s, const char* name);
hresult ddcopybitmap(ddsurface* s, const platbitmap* b, i32 x, i32 y, i32 width, i32 height);
// The surface's pixel value for a colour (0x00BBGGRR).
u32 ddcolormatch(ddsurface* s, u32 rgb);
hresult ddsetcolorkey(ddsurface* s, u32 rgb);
