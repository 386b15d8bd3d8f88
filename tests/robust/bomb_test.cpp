// Decompression bombs: small files that claim huge pictures or huge chunks are dealt with at
// once, without allocating what they claim, and a refused one leaves its number empty.
#include "tests/picture/fixtures.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <chrono>
#include <cstring>

namespace {

using fixtures::Bytes;

constexpr int Number = 7;
constexpr auto TimeLimit = std::chrono::milliseconds(100);
constexpr long long AllocationLimit = 2 << 20; // what the files here honestly need is far less

void append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

void put32(Bytes& out, std::uint32_t v, bool bigEndian) {
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(v >> (bigEndian ? 24 - 8 * i : 8 * i)));
}

Bytes deflated(const Bytes& raw) {
    Bytes packed(compressBound(uLong(raw.size())));
    uLongf size = packed.size();
    compress2(packed.data(), &size, raw.data(), uLong(raw.size()), 9);
    packed.resize(size);
    return packed;
}

const Bytes& smallPng() {
    static const Bytes file = [] {
        fixtures::PngImage image{.width = 3, .height = 2};
        image.rows = {Bytes(9, 0x21), Bytes(9, 0x87)};
        return fixtures::writePng(image);
    }();
    return file;
}

// `chunk` inserted right after the header chunk of a valid 3 x 2 picture.
Bytes smallPngWith(const Bytes& chunk) {
    Bytes file(smallPng().begin(), smallPng().begin() + 33);
    append(file, chunk);
    file.insert(file.end(), smallPng().begin() + 33, smallPng().end());
    return file;
}

// A truecolour header claiming width x height, then 64 KiB of zero rows: a few hundred bytes.
Bytes pngClaiming(std::uint32_t width, std::uint32_t height) {
    Bytes header;
    put32(header, width, true);
    put32(header, height, true);
    append(header, {8, PNG_COLOR_TYPE_RGB, 0, 0, 0});
    Bytes file = {137, 80, 78, 71, 13, 10, 26, 10};
    append(file, fixtures::pngChunk("IHDR", header));
    append(file, fixtures::pngChunk("IDAT", deflated(Bytes(1 << 16, 0))));
    append(file, fixtures::pngChunk("IEND", {}));
    return file;
}

// A zTXt chunk whose length field claims 2 GB, in a file of a few dozen bytes.
Bytes pngWithLyingChunkLength() {
    Bytes file = smallPngWith(fixtures::pngChunk("zTXt", Bytes{'a', 0, 0, 0x78, 0x9c}));
    const std::uint32_t claimed = 0x7A6F6D6D;
    for (int i = 0; i < 4; ++i)
        file[33 + std::size_t(i)] = std::uint8_t(claimed >> (24 - 8 * i));
    return file;
}

// The same claim in a chunk header that ends the file, with no room for the data or the CRC.
Bytes pngEndingInAChunkHeader() {
    Bytes file(smallPng().begin(), smallPng().end() - 12);
    append(file, {0x4D, 0x00, 0x23, 0x00, 'z', 'T', 'X', 't'});
    return file;
}

// An ICC profile of 32 MB, all zeros after a header that names its own length, deflated.
Bytes iccBomb() {
    Bytes profile(32u << 20, 0);
    const std::uint32_t length = std::uint32_t(profile.size());
    for (int i = 0; i < 4; ++i)
        profile[std::size_t(i)] = std::uint8_t(length >> (24 - 8 * i));
    std::memcpy(profile.data() + 36, "acsp", 4);
    Bytes data = {'i', 'c', 'c', 0, 0};
    append(data, deflated(profile));
    return fixtures::pngChunk("iCCP", data);
}

Bytes textBomb() {
    Bytes data = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0};
    append(data, deflated(Bytes(32u << 20, 'a')));
    return fixtures::pngChunk("zTXt", data);
}

// A BMP header claiming width x height at `bits` per pixel and `compression` (0 plain, 1 RLE8),
// a two-colour palette and the end-of-picture mark, which is all an RLE picture needs.
Bytes bmpClaiming(std::int32_t width, std::int32_t height, int bits, int compression) {
    const std::uint32_t offset = 14 + 40 + 8;
    Bytes file = {'B', 'M'};
    put32(file, offset + 2, false);
    put32(file, 0, false);
    put32(file, offset, false);
    for (std::uint32_t v : {40u, std::uint32_t(width), std::uint32_t(height)})
        put32(file, v, false);
    append(file, {1, 0, std::uint8_t(bits), 0});
    for (std::uint32_t v : {std::uint32_t(compression), 2u, 0u, 0u, 2u, 0u})
        put32(file, v, false);
    append(file, {0, 0, 0, 0, 255, 255, 255, 0});
    append(file, {0, 1});
    return file;
}

// An icon holds its BMP images without the 14-byte file header.
Bytes withoutFileHeader(const Bytes& bmp) {
    return Bytes(bmp.begin() + 14, bmp.end());
}

// An icon file whose one image is `image` (a PNG or a BMP without its file header).
Bytes icoHolding(const Bytes& image) {
    Bytes file = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0};
    put32(file, std::uint32_t(image.size()), false);
    put32(file, 22, false);
    append(file, image);
    return file;
}

struct Outcome {
    bool loaded;
    bool numberEmpty;
    std::chrono::steady_clock::duration took;
    long long largestAllocation; // -1 where it cannot be measured
};

// Loads `bytes` from a file under a number that held a picture before.
Outcome load(const Bytes& bytes) {
    fixtures::TempFolder folder;
    const std::string path = folder.write("bomb", bytes);
    ui::setPicture(Number, ui::Picture{1, 1, 3, {1, 2, 3}});
    fixtures::resetLargestAllocation();
    const auto start = std::chrono::steady_clock::now();
    const bool loaded = ui::loadPicture(Number, path);
    const auto took = std::chrono::steady_clock::now() - start;
    const long long largest = fixtures::largestAllocation();
    Outcome outcome{loaded, ui::pictureHandle(Number) == nullptr, took, largest};
    ui::freePicture(Number);
    return outcome;
}

void expectQuickAndSmall(const Outcome& outcome) {
    EXPECT_LT(outcome.took, TimeLimit);
    EXPECT_LT(outcome.largestAllocation, AllocationLimit);
}

TEST(Bombs, HugeClaimsAreRefusedQuicklyAndLeaveTheNumberEmpty) {
    const std::pair<const char*, Bytes> bombs[] = {
        {"png 100000 x 100000", pngClaiming(100000, 100000)},
        {"png 8192 x 8192", pngClaiming(8192, 8192)},
        {"png 4096 x 4096 from a few hundred bytes", pngClaiming(4096, 4096)},
        {"png chunk claiming 2 GB", pngWithLyingChunkLength()},
        {"png chunk header claiming 1.3 GB at the end", pngEndingInAChunkHeader()},
        {"bmp 100000 x 100000", bmpClaiming(100000, 100000, 24, 0)},
        {"bmp 100000 x -100000 top-down", bmpClaiming(100000, -100000, 24, 0)},
        {"rle bmp 100000 x 100000", bmpClaiming(100000, 100000, 8, 1)},
        {"rle bmp 8192 x 8192", bmpClaiming(8192, 8192, 8, 1)},
        {"ico holding a png 100000 x 100000", icoHolding(pngClaiming(100000, 100000))},
        {"ico holding a bmp 100000 x 200000",
         icoHolding(withoutFileHeader(bmpClaiming(100000, 200000, 32, 0)))},
    };
    for (const auto& [name, file] : bombs) {
        SCOPED_TRACE(name);
        ASSERT_LT(file.size(), 1u << 20);
        const Outcome outcome = load(file);
        EXPECT_FALSE(outcome.loaded);
        EXPECT_TRUE(outcome.numberEmpty);
        expectQuickAndSmall(outcome);
    }
}

// A text or colour-profile chunk that inflates to 32 MB costs only the chunk: the picture loads
// as if the chunk were not there.
TEST(Bombs, AncillaryChunkBombsCostOnlyTheChunk) {
    for (const Bytes& chunk : {textBomb(), iccBomb()}) {
        const Bytes file = smallPngWith(chunk);
        ASSERT_LT(file.size(), 1u << 20);
        const Outcome outcome = load(file);
        EXPECT_TRUE(outcome.loaded);
        expectQuickAndSmall(outcome);

        ui::Picture bombed, plain;
        ASSERT_TRUE(ui::decodePicture(file.data(), file.size(), bombed));
        ASSERT_TRUE(ui::decodePicture(smallPng().data(), smallPng().size(), plain));
        EXPECT_EQ(bombed.pixels, plain.pixels);
    }
}

} // namespace
