#include "platform/bmpdecode.h"

#include <utility>

namespace {

constexpr u32 FILEHEADER = 14;
constexpr u32 MININFO = 40;
constexpr i64 MAXSIDE = 16384;
constexpr u32 BI_RGB = 0;

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
};

// What the checks settle before any pixel is touched.
struct bmplayout {
    i32 width = 0;
    i32 height = 0;
    bool topdown = false;
    u64 stride = 0;
    u32 colours = 0; // palette entries, 8-bit only
};

bool fail(std::string* why, const char* reason) {
    if (why) *why = reason;
    return false;
}

bool readheader(const u8* data, size_t size, bmpheader* h, std::string* why) {
    if (size < FILEHEADER + MININFO) return fail(why, "file shorter than the BMP headers");
    if (data[0] != 'B' || data[1] != 'M') return fail(why, "not a BMP file (no BM signature)");
    h->offbits = rd32(data + 10);
    h->infosize = rd32(data + 14);
    if (h->infosize < MININFO) return fail(why, "unsupported info header size");
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
    return true;
}

bool checkformat(const bmpheader& h, std::string* why) {
    if (h.planes != 1) return fail(why, "plane count is not 1");
    if (h.compression != BI_RGB) return fail(why, "compressed BMPs are not supported");
    if (h.bpp != 8 && h.bpp != 24 && h.bpp != 32) return fail(why, "unsupported bit depth");
    return true;
}

bool checkpalette(const bmpheader& h, size_t size, bmplayout* l, std::string* why) {
    if (h.bpp != 8) return true;
    if (h.clrused > 256) return fail(why, "palette has more than 256 colours");
    l->colours = h.clrused == 0 ? 256 : h.clrused;
    u64 end = (u64)FILEHEADER + h.infosize + 4ull * l->colours;
    if (end > size) return fail(why, "palette runs past the end of the file");
    if (h.offbits < end) return fail(why, "pixel data overlaps the palette");
    return true;
}

bool checkgeometry(const bmpheader& h, size_t size, bmplayout* l, std::string* why) {
    i64 rows = h.height < 0 ? -h.height : h.height;
    if (h.width <= 0 || rows == 0) return fail(why, "width or height is zero or negative");
    if (h.width > MAXSIDE || rows > MAXSIDE) return fail(why, "dimensions too large");
    if (h.offbits < (u64)FILEHEADER + h.infosize) return fail(why, "pixel data overlaps the header");
    if (h.offbits > size) return fail(why, "pixel data offset is past the end of the file");
    l->width = (i32)h.width;
    l->height = (i32)rows;
    l->topdown = h.height < 0;
    l->stride = ((u64)h.width * h.bpp + 31) / 32 * 4;
    if (l->stride * (u64)rows > size - h.offbits) return fail(why, "pixel data truncated");
    return true;
}

void decoderowbgr(const u8* src, i32 width, u32 bytes, u8* dst) {
    for (i32 x = 0; x < width; x++, src += bytes, dst += 3) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
    }
}

bool decoderow8(const u8* src, i32 width, const u8* palette, u32 colours, u8* dst) {
    for (i32 x = 0; x < width; x++, dst += 3) {
        u32 index = src[x];
        if (index >= colours) return false;
        const u8* entry = palette + 4 * index;
        dst[0] = entry[2];
        dst[1] = entry[1];
        dst[2] = entry[0];
    }
    return true;
}

bool decodepixels(const u8* data, const bmpheader& h, const bmplayout& l, std::vector<u8>* rgb,
                  std::string* why) {
    rgb->assign((size_t)l.width * (size_t)l.height * 3, 0);
    const u8* palette = data + FILEHEADER + h.infosize;
    for (i32 y = 0; y < l.height; y++) {
        i32 stored = l.topdown ? y : l.height - 1 - y;
        const u8* src = data + h.offbits + (size_t)stored * l.stride;
        u8* dst = rgb->data() + (size_t)y * l.width * 3;
        if (h.bpp != 8) {
            decoderowbgr(src, l.width, h.bpp / 8, dst);
        } else if (!decoderow8(src, l.width, palette, l.colours, dst)) {
            return fail(why, "palette index out of range");
        }
    }
    return true;
}

} // namespace

bool bmp_decode(const u8* data, size_t size, platbitmap* out, std::string* why) {
    if (!data || !out) return fail(why, "no data");
    bmpheader h;
    bmplayout l;
    if (!readheader(data, size, &h, why) || !checkformat(h, why) || !checkgeometry(h, size, &l, why) ||
        !checkpalette(h, size, &l, why))
        return false;
    std::vector<u8> rgb;
    if (!decodepixels(data, h, l, &rgb, why)) return false;
    out->width = l.width;
    out->height = l.height;
    out->rgb = std::move(rgb);
    return true;
}
