#include "platform/pngdecode.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <utility>

namespace {

constexpr size_t SIGNATURE = 8;

// What the libpng callbacks reach: the bytes, and the reason of a refusal.
struct pngread {
    const u8* data;
    size_t size;
    size_t at;
    char reason[192];
    char warning[96]; // the first, which often says what the error means
};

[[noreturn]] void onerror(png_structp png, png_const_charp message) {
    pngread* r = (pngread*)png_get_error_ptr(png);
    if (r->warning[0]) std::snprintf(r->reason, sizeof r->reason, "%s (%s)", message, r->warning);
    else std::snprintf(r->reason, sizeof r->reason, "%s", message);
    png_longjmp(png, 1);
}

void onwarning(png_structp png, png_const_charp message) {
    pngread* r = (pngread*)png_get_error_ptr(png);
    if (!r->warning[0]) std::snprintf(r->warning, sizeof r->warning, "%s", message);
}

void readbytes(png_structp png, png_bytep to, size_t n) {
    pngread* r = (pngread*)png_get_io_ptr(png);
    if (n > r->size - r->at) png_error(png, "file truncated");
    std::memcpy(to, r->data + r->at, n);
    r->at += n;
}

// Every kind becomes three 8-bit channels; alpha and 16-bit precision go.
void settransforms(png_structp png) {
    png_set_strip_16(png);
    png_set_packing(png);
    png_set_palette_to_rgb(png);
    png_set_expand_gray_1_2_4_to_8(png);
    png_set_gray_to_rgb(png);
    png_set_strip_alpha(png);
    png_set_interlace_handling(png);
}

// libpng leaves by longjmp to here, so nothing with a destructor lives in
// this frame: the buffers belong to the caller.
bool readimage(png_structp png, png_infop info, platbitmap* b, std::vector<png_bytep>* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, PLAT_BITMAPMAXSIDE, PLAT_BITMAPMAXSIDE);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if ((u64)w * h > PLAT_BITMAPMAXPIXELS) png_error(png, "dimensions too large");
    settransforms(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != (size_t)w * 3) png_error(png, "unexpected row layout");
    b->rgb.resize((size_t)w * h * 3);
    rows->resize(h);
    for (png_uint_32 y = 0; y < h; y++) (*rows)[y] = b->rgb.data() + (size_t)y * w * 3;
    png_read_image(png, rows->data());
    b->width = (i32)w;
    b->height = (i32)h;
    return true;
}

bool fail(std::string* why, const char* reason) {
    if (why) *why = reason;
    return false;
}

} // namespace

bool png_issignature(const u8* data, size_t size) {
    return data && size >= SIGNATURE && png_sig_cmp(data, 0, SIGNATURE) == 0;
}

bool png_decode(const u8* data, size_t size, platbitmap* out, std::string* why) {
    if (!data || !out) return fail(why, "no data");
    if (!png_issignature(data, size)) return fail(why, "not a PNG file (no PNG signature)");
    pngread r{data, size, SIGNATURE, "cannot start libpng", ""};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r, onerror, onwarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    platbitmap b;
    std::vector<png_bytep> rows;
    bool ok = false;
    if (info) {
        png_set_read_fn(png, &r, readbytes);
        png_set_sig_bytes(png, (int)SIGNATURE);
        ok = readimage(png, info, &b, &rows);
    }
    png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
    if (!ok) return fail(why, r.reason);
    *out = std::move(b);
    return true;
}
