#include "platform/png.h"

#include <png.h>

#include "platform/safewrite.h"

// The raw pixels of anything larger are refused before any work: a frame
// of the game is 900 KiB, a contact sheet a few MiB.
constexpr u64 MAXRAW = 0x7f000000u;

std::vector<u8> png_encode(i32 width, i32 height, const u8* rgb) {
    if (width <= 0 || height <= 0 || !rgb) return {};
    if ((u64)width * 3 * (u64)height > MAXRAW) return {};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = (png_uint_32)width;
    image.height = (png_uint_32)height;
    image.format = PNG_FORMAT_RGB;
    // The bound holds the image even if nothing compresses.
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
    std::vector<u8> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgb, 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    png.resize(size);
    return png;
}

bool png_write(const std::string& hostpath, i32 width, i32 height, const u8* rgb, std::string* why) {
    std::string reason;
    if (!why) why = &reason;
    std::vector<u8> png = png_encode(width, height, rgb);
    if (png.empty()) {
        *why = "no picture to write to " + hostpath;
        return false;
    }
    return plat_safewritehostfile(hostpath, png.data(), png.size(), why);
}
