// Writers of PNG, BMP and ICO files in memory.
#include "tools/fuzz/files.h"

#include <zlib.h>

namespace fuzz {

namespace {

void appendToBytes(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// A BITMAPINFOHEADER without compression, then the top-down `pixels` bottom row first, each row
// padded to 4 bytes.
void putBitmap(Bytes& out, int width, int height, int headerHeight, int bits, const Bytes& pixels) {
    for (int v : {40, width, headerHeight})
        put(out, std::size_t(v), 4);
    put(out, 1, 2);
    put(out, std::size_t(bits), 2);
    out.resize(out.size() + 24, 0);
    const std::size_t rowBytes = std::size_t(width * bits / 8);
    for (std::size_t y = std::size_t(height); y-- > 0;) {
        out.insert(out.end(), pixels.begin() + long(y * rowBytes),
                   pixels.begin() + long((y + 1) * rowBytes));
        out.resize(out.size() + (4 - rowBytes % 4) % 4, 0);
    }
}

} // namespace

void put(Bytes& out, std::size_t value, int size, bool bigEndian) {
    for (int i = 0; i < size; ++i)
        out.push_back(std::uint8_t(value >> 8 * (bigEndian ? size - 1 - i : i)));
}

Bytes writePng(const PngImage& image) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendToBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), image.bitDepth,
                 image.colorType, image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!image.palette.empty())
        png_set_PLTE(png, info, image.palette.data(), int(image.palette.size()));
    if (!image.paletteAlpha.empty())
        png_set_tRNS(png, info, image.paletteAlpha.data(), int(image.paletteAlpha.size()), nullptr);
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_zTXt;
    text.key = const_cast<char*>("Comment");
    text.text = const_cast<char*>(image.compressedText.c_str());
    if (!image.compressedText.empty()) png_set_text(png, info, &text, 1);
    std::vector<png_bytep> rows;
    for (const Bytes& row : image.rows)
        rows.push_back(const_cast<png_bytep>(row.data()));
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes pngChunk(const char type[4], const Bytes& data) {
    Bytes out;
    out.reserve(data.size() + 12); // also spares g++ 12 -O3 a false -Wstringop-overflow
    put(out, data.size(), 4, true);
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put(out, crc32(0, out.data() + 4, uInt(data.size() + 4)), 4, true);
    return out;
}

Bytes packBits(const std::vector<int>& samples, int depth) {
    Bytes out((samples.size() * std::size_t(depth) + 7) / 8, 0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::size_t bit = i * std::size_t(depth);
        out[bit / 8] |= std::uint8_t(samples[i] << (8 - depth - int(bit % 8)));
    }
    return out;
}

Bytes writeBmp24(int width, int height, const Bytes& bgr) {
    Bytes out{'B', 'M'};
    for (int v : {54 + (width * 3 + 3) / 4 * 4 * height, 0, 54})
        put(out, std::size_t(v), 4);
    putBitmap(out, width, height, height, 24, bgr);
    return out;
}

Bytes writeIcoBmp32(int width, int height, const Bytes& bgra) {
    Bytes image;
    putBitmap(image, width, height, height * 2, 32, bgra); // the height counts the AND mask too
    image.resize(image.size() + std::size_t((width + 31) / 32 * 4 * height), 0);
    return writeIcoPng(width, height, image);
}

// The directory names one 32-bit image at offset 22; its data may be a BMP body or a PNG file.
Bytes writeIcoPng(int width, int height, const Bytes& image) {
    Bytes out = {0, 0, 1, 0, 1, 0, std::uint8_t(width), std::uint8_t(height), 0, 0, 1, 0, 32, 0};
    put(out, image.size(), 4);
    put(out, 22, 4);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

} // namespace fuzz
