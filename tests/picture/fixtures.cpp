// Writers for the PNG, BMP and ICO files the picture tests decode, and the allocation meter.
#include "tests/picture/fixtures.h"

#include <zlib.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define SELVO_METER_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SELVO_METER_ALLOCATIONS 0
#endif
#endif
#ifndef SELVO_METER_ALLOCATIONS
#define SELVO_METER_ALLOCATIONS 1
#endif

namespace {

std::atomic<std::size_t> largest{0};

} // namespace

#if SELVO_METER_ALLOCATIONS
// Wraps glibc's allocator for the whole process, shared libraries included, to see how much
// the decoders ask for at once.
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* malloc(std::size_t size) noexcept {
    std::size_t seen = largest.load(std::memory_order_relaxed);
    while (size > seen && !largest.compare_exchange_weak(seen, size)) {
    }
    return __libc_malloc(size);
}
#endif

namespace fixtures {

void resetLargestAllocation() {
    largest = 0;
}

long long largestAllocation() {
    return SELVO_METER_ALLOCATIONS ? static_cast<long long>(largest.load()) : -1;
}

namespace {

void appendToBytes(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void put16(Bytes& out, unsigned value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

void putInfoHeader(Bytes& out, int width, int height, int bits) {
    put32(out, 40);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height));
    put16(out, 1);
    put16(out, unsigned(bits));
    for (int i = 0; i < 6; ++i)
        put32(out, 0); // no compression, sizes and colour counts unset
}

Bytes icoWith(int width, int height, int bits, const Bytes& image) {
    Bytes out;
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    out.push_back(std::uint8_t(width));
    out.push_back(std::uint8_t(height));
    out.push_back(0);
    out.push_back(0);
    put16(out, 1);
    put16(out, unsigned(bits));
    put32(out, std::uint32_t(image.size()));
    put32(out, 22);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

} // namespace

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
    if (image.transparentKey) png_set_tRNS(png, info, nullptr, 0, &image.key);
    png_text text{};
    std::string textCopy = image.compressedText;
    if (!textCopy.empty()) {
        text.compression = PNG_TEXT_COMPRESSION_zTXt;
        text.key = const_cast<char*>("Comment");
        text.text = textCopy.data();
        png_set_text(png, info, &text, 1);
    }
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
    const std::uint32_t length = std::uint32_t(data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(length >> shift));
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(crc32(0, out.data() + 4, 4), data.data(), uInt(data.size()));
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(crc >> shift));
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
    const int stride = (width * 3 + 3) / 4 * 4;
    Bytes out{'B', 'M'};
    put32(out, std::uint32_t(54 + stride * height));
    put32(out, 0);
    put32(out, 54);
    putInfoHeader(out, width, height, 24);
    for (int y = height - 1; y >= 0; --y) {
        const auto row = bgr.begin() + std::ptrdiff_t(y) * width * 3;
        out.insert(out.end(), row, row + width * 3);
        out.resize(out.size() + std::size_t(stride - width * 3), 0);
    }
    return out;
}

Bytes writeIcoBmp32(int width, int height, const Bytes& bgra) {
    Bytes image;
    putInfoHeader(image, width, height * 2, 32); // the height counts the AND mask too
    for (int y = height - 1; y >= 0; --y) {
        const auto row = bgra.begin() + std::ptrdiff_t(y) * width * 4;
        image.insert(image.end(), row, row + width * 4);
    }
    const int maskStride = (width + 31) / 32 * 4;
    image.resize(image.size() + std::size_t(maskStride * height), 0);
    return icoWith(width, height, 32, image);
}

Bytes writeIcoPng(int width, int height, const Bytes& png) {
    return icoWith(width, height, 32, png);
}

TempFolder::TempFolder() {
    static int counter = 0;
    path = std::filesystem::temp_directory_path() /
           ("selvo-picture-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TempFolder::write(const std::string& name, const Bytes& bytes) const {
    const std::filesystem::path file = path / name;
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return file.string();
}

} // namespace fixtures
