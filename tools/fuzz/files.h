// Picture files written in memory, for the fuzzer's starting files and the picture tests: PNG
// through libpng, BMP and ICO by hand.
#pragma once

#include <png.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

using Bytes = std::vector<std::uint8_t>;

// A PNG as it is stored: rows packed at the file's bit depth, 16-bit samples big-endian.
struct PngImage {
    int width = 0;
    int height = 0;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<Bytes> rows{};
    std::vector<png_color> palette{};
    Bytes paletteAlpha{};         // tRNS for palette images
    std::string compressedText{}; // written as a zTXt chunk before the image data
};

Bytes writePng(const PngImage& image);

// Appends the low `size` bytes of `value`: least significant first (BMP, ICO) or last (PNG).
void put(Bytes& out, std::size_t value, int size, bool bigEndian = false);

// A chunk with its length and CRC, ready to splice into a file.
Bytes pngChunk(const char type[4], const Bytes& data);

// Samples of `depth` bits packed most significant first, as PNG rows store them.
Bytes packBits(const std::vector<int>& samples, int depth);

// Uncompressed bottom-up 24-bit BMP from top-down B,G,R rows.
Bytes writeBmp24(int width, int height, const Bytes& bgr);

// ICO holding one image: a 32-bit BMP from top-down B,G,R,A pixels, or a whole PNG file.
Bytes writeIcoBmp32(int width, int height, const Bytes& bgra);
Bytes writeIcoPng(int width, int height, const Bytes& png);

} // namespace fuzz
