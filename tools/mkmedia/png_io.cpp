// libpng writing and reading; every setjmp sits in a small function with only trivial locals.
#include "tools/mkmedia/png_io.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace mkmedia {
namespace {

bool writeRows(std::FILE* file, const Image& img, png_bytep* rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(img.width),
                 static_cast<png_uint_32>(img.height), 8,
                 img.channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Reads the header and sets up conversion to 8-bit RGB(A); reports the resulting layout.
bool readHeader(png_structp png, png_infop info, std::FILE* file, int* width, int* height,
                int* channels) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_user_limits(png, 16384, 16384);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    *width = static_cast<int>(png_get_image_width(png, info));
    *height = static_cast<int>(png_get_image_height(png, info));
    *channels = png_get_channels(png, info);
    return png_get_bit_depth(png, info) == 8 && (*channels == 3 || *channels == 4);
}

bool readBody(png_structp png, png_bytep* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

} // namespace

bool writePng(const std::string& path, const Image& img) {
    if (img.channels != 3 && img.channels != 4) return false;
    std::vector<png_bytep> rows(static_cast<std::size_t>(img.height));
    for (int y = 0; y < img.height; ++y)
        rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(pixelAt(img, 0, y));
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = writeRows(file, img, rows.data());
    return std::fclose(file) == 0 && ok;
}

bool readPng(const std::string& path, Image& out) {
    out = Image{};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    int width = 0, height = 0, channels = 0;
    bool ok = info && readHeader(png, info, file, &width, &height, &channels);
    if (ok) {
        out = makeImage(width, height, channels);
        std::vector<png_bytep> rows(static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y)
            rows[static_cast<std::size_t>(y)] = pixelAt(out, 0, y);
        ok = readBody(png, rows.data());
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    if (!ok) out = Image{};
    return ok;
}

} // namespace mkmedia
