#include "platform/bmpdecode.h"

#include <climits>

#include "platform/sdl/sdlbmp.h"

// SDL reads the pixels; what is checked here is everything SDL would trust:
// a header that passes leaves SDL nothing to allocate or seek beyond the
// bytes it is given.
namespace {

constexpr u32 FILEHEADER = 14;
constexpr u32 MASKS = FILEHEADER + 40; // where BI_BITFIELDS masks start, in any header
constexpr u32 BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

// Bitmaps come from files and resources of any origin, so fields are
// assembled byte by byte: no alignment or host byte order assumed.
u32 rd16(const u8* p) { return (u32)p[0] | ((u32)p[1] << 8); }
u32 rd32(const u8* p) { return (u32)p[0] | ((u32)p[1] << 8) | ((u32)p[2] << 16) | ((u32)p[3] << 24); }

struct bmpheader {
    u32 offbits = 0;
    u32 infosize = 0;
    i64 width = 0;
    i64 height = 0; // as stored: negative means top-down
    u32 planes = 0;
    u32 bpp = 0;
    u32 compression = 0;
    u32 clrused = 0;
    u32 masks[4] = {}; // red, green, blue, alpha; BI_BITFIELDS only
};

bool fail(std::string* why, const char* reason) {
    if (why) *why = reason;
    return false;
}

// The Windows headers SDL reads fields from: plain, V2, V3, V4 and V5. The
// old OS/2 headers are not among them.
bool knowninfosize(u32 size) { return size == 40 || size == 52 || size == 56 || size == 108 || size == 124; }

void readmasks(const u8* data, size_t size, bmpheader* h) {
    if (h->compression != BI_BITFIELDS) return;
    for (u32 i = 0; i < 3; i++)
        if (MASKS + 4 * i + 4 <= size) h->masks[i] = rd32(data + MASKS + 4 * i);
    if (h->infosize >= 56) h->masks[3] = rd32(data + MASKS + 12);
}

bool readheader(const u8* data, size_t size, bmpheader* h, std::string* why) {
    if (size < FILEHEADER + 40) return fail(why, "file shorter than the BMP headers");
    if (data[0] != 'B' || data[1] != 'M') return fail(why, "not a BMP file (no BM signature)");
    h->offbits = rd32(data + 10);
    h->infosize = rd32(data + 14);
    if (!knowninfosize(h->infosize)) return fail(why, "unsupported info header size");
    if ((u64)FILEHEADER + h->infosize > size) return fail(why, "info header runs past the end of the file");
    const u8* info = data + FILEHEADER;
    // Converting through i32 gives the stored two's complement value; widening
    // to i64 keeps negation of the most negative height well defined.
    h->width = (i32)rd32(info + 4);
    h->height = (i32)rd32(info + 8);
    h->planes = rd16(info + 12);
    h->bpp = rd16(info + 14);
    h->compression = rd32(info + 16);
    h->clrused = rd32(info + 32);
    readmasks(data, size, h);
    return true;
}

bool depthfits(u32 compression, u32 bpp) {
    switch (compression) {
    case BI_RGB: return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    case BI_RLE8: return bpp == 8;
    case BI_RLE4: return bpp == 4;
    default: return bpp == 16 || bpp == 32;
    }
}

bool checkformat(const bmpheader& h, std::string* why) {
    if (h.planes != 1) return fail(why, "plane count is not 1");
    if (h.compression > BI_BITFIELDS) return fail(why, "unsupported compression");
    if (!depthfits(h.compression, h.bpp)) return fail(why, "unsupported bit depth");
    bool rle = h.compression == BI_RLE8 || h.compression == BI_RLE4;
    if (rle && h.height < 0) return fail(why, "a compressed BMP cannot be top-down");
    return true;
}

// One run of set bits, wholly inside the pixel.
bool contiguous(u32 mask, u32 bpp) {
    if (!mask || (bpp < 32 && (mask >> bpp))) return false;
    u32 low = mask & (~mask + 1);
    return ((mask + low) & mask) == 0;
}

bool checkmasks(const bmpheader& h, std::string* why) {
    if (h.compression != BI_BITFIELDS) return true;
    const u32* m = h.masks;
    for (u32 i = 0; i < 3; i++)
        if (!contiguous(m[i], h.bpp)) return fail(why, "colour masks are unusable");
    if ((m[0] & m[1]) || (m[0] & m[2]) || (m[1] & m[2])) return fail(why, "colour masks overlap");
    if (m[3] && (!contiguous(m[3], h.bpp) || (m[3] & (m[0] | m[1] | m[2]))))
        return fail(why, "colour masks overlap");
    return true;
}

// Where the pixels may start: after the header, the masks a plain header is
// followed by, and the palette.
bool checkpalette(const bmpheader& h, size_t size, u32* colours, std::string* why) {
    u64 end = (u64)FILEHEADER + h.infosize;
    if (h.compression == BI_BITFIELDS && h.infosize == 40) end += 12;
    if (end > size) return fail(why, "colour masks run past the end of the file");
    *colours = 0;
    if (h.bpp <= 8) {
        if (h.clrused > 256) return fail(why, "palette has more than 256 colours");
        if (h.clrused > (1u << h.bpp)) return fail(why, "palette has more colours than its depth can index");
        *colours = h.clrused == 0 ? 1u << h.bpp : h.clrused;
        end += 4ull * *colours;
        if (end > size) return fail(why, "palette runs past the end of the file");
    }
    if (h.offbits < end) return fail(why, *colours ? "pixel data overlaps the palette" : "pixel data overlaps the header");
    return true;
}

bool checkgeometry(const bmpheader& h, size_t size, std::string* why) {
    i64 rows = h.height < 0 ? -h.height : h.height;
    if (h.width <= 0 || rows == 0) return fail(why, "width or height is zero or negative");
    if (h.width > PLAT_BITMAPMAXSIDE || rows > PLAT_BITMAPMAXSIDE || (u64)h.width * (u64)rows > PLAT_BITMAPMAXPIXELS)
        return fail(why, "dimensions too large");
    if (h.offbits > size) return fail(why, "pixel data offset is past the end of the file");
    // Run-length data has no size known before it is read; SDL stops at its
    // end and refuses a stream that runs out first.
    if (h.compression == BI_RLE8 || h.compression == BI_RLE4) return true;
    u64 stride = ((u64)h.width * h.bpp + 31) / 32 * 4;
    if (stride * (u64)rows > size - h.offbits) return fail(why, "pixel data truncated");
    return true;
}

} // namespace

bool bmp_decode(const u8* data, size_t size, platbitmap* out, std::string* why) {
    if (!data || !out) return fail(why, "no data");
    if (size > (size_t)INT_MAX) return fail(why, "file too large");
    bmpheader h;
    u32 colours = 0;
    if (!readheader(data, size, &h, why) || !checkformat(h, why) || !checkpalette(h, size, &colours, why) ||
        !checkmasks(h, why) || !checkgeometry(h, size, why))
        return false;
    return sdlbmp_decode(data, size, colours, out, why);
}
