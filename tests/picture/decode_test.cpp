// Decoding: every PNG colour type and depth to 8-bit B,G,R(,A), BMP / ICO through Qt, and
// damaged or cut files refused without a word.
#include "tools/fuzz/files.h"
#include "ui/picture.h"
#include "ui/png_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <tuple>

namespace {

using fuzz::Bytes;
using fuzz::PngImage;

// Sample c of pixel (x, y): varied enough that swapped channels, rows or columns show.
int sample(int x, int y, int c) {
    return (x * 37 + y * 91 + c * 53 + 11) & 255;
}

PngImage eightBit(int colorType, int width, int height, bool interlaced = false) {
    PngImage image{width, height, colorType, 8, interlaced};
    const int samples =
        (colorType & PNG_COLOR_MASK_COLOR ? 3 : 1) + (colorType & PNG_COLOR_MASK_ALPHA ? 1 : 0);
    for (int y = 0; y < height; ++y) {
        image.rows.emplace_back();
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < samples; ++c)
                image.rows.back().push_back(std::uint8_t(sample(x, y, c)));
    }
    return image;
}

// What an eightBit() file must decode to: B,G,R from R,G,B or from grey, alpha only if it has one.
ui::Picture decoded(const PngImage& image) {
    const bool grey = !(image.colorType & PNG_COLOR_MASK_COLOR);
    const bool alpha = image.colorType & PNG_COLOR_MASK_ALPHA;
    ui::Picture picture{image.width, image.height, alpha ? 4 : 3, {}};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            for (int c : {2, 1, 0})
                picture.pixels.push_back(std::uint8_t(sample(x, y, grey ? 0 : c)));
            if (alpha) picture.pixels.push_back(std::uint8_t(sample(x, y, grey ? 1 : 3)));
        }
    return picture;
}

void expectDecodesTo(const Bytes& file, const ui::Picture& want) {
    ui::Picture got;
    ASSERT_TRUE(ui::decodePicture(file.data(), file.size(), got));
    EXPECT_EQ(std::tie(got.width, got.height, got.channels, got.pixels),
              std::tie(want.width, want.height, want.channels, want.pixels));
}

bool decodes(const Bytes& file) {
    ui::Picture out{1, 1, 3, {9, 9, 9}};
    const bool ok = ui::decodePicture(file.data(), file.size(), out);
    EXPECT_EQ(ok, !out.pixels.empty()) << "a failed decode leaves the picture empty";
    return ok;
}

TEST(PngDecode, EightBitTypesGiveAlphaOnlyWhereTheFileHasOne) {
    for (const PngImage& image :
         {eightBit(PNG_COLOR_TYPE_RGB, 5, 3), eightBit(PNG_COLOR_TYPE_RGBA, 5, 3),
          eightBit(PNG_COLOR_TYPE_GRAY_ALPHA, 4, 2), eightBit(PNG_COLOR_TYPE_RGBA, 13, 11, true),
          eightBit(PNG_COLOR_TYPE_RGB, 3, 9, true)}) {
        SCOPED_TRACE(testing::Message()
                     << image.colorType << (image.interlaced ? " interlaced" : ""));
        expectDecodesTo(fuzz::writePng(image), decoded(image));
    }
}

TEST(PngDecode, PaletteLowBitGreyAndSixteenBitBecomeEightBitColour) {
    PngImage palette{.width = 4, .height = 1, .colorType = PNG_COLOR_TYPE_PALETTE};
    palette.palette = {{200, 10, 20}, {30, 40, 250}, {5, 6, 7}, {255, 255, 0}};
    palette.paletteAlpha = {0, 128}; // dropped: such pictures are drawn opaque
    palette.rows = {Bytes{0, 1, 2, 3}};
    expectDecodesTo(fuzz::writePng(palette),
                    ui::Picture{4, 1, 3, {20, 10, 200, 250, 40, 30, 7, 6, 5, 0, 255, 255}});

    for (int depth : {1, 2, 4}) {
        const int top = (1 << depth) - 1;
        std::vector<int> samples;
        ui::Picture want{7, 1, 3, {}};
        for (int x = 0; x < 7; ++x) {
            samples.push_back(x % (top + 1));
            want.pixels.insert(want.pixels.end(), 3, std::uint8_t(x % (top + 1) * 255 / top));
        }
        PngImage grey{7, 1, PNG_COLOR_TYPE_GRAY, depth};
        grey.rows = {fuzz::packBits(samples, depth)};
        expectDecodesTo(fuzz::writePng(grey), want);
    }
    // 16-bit samples are rounded, not cut to their high byte: 0x12F0 gives 19, 0x00FF gives 1.
    PngImage deep{1, 1, PNG_COLOR_TYPE_RGB, 16};
    deep.rows = {Bytes{0x12, 0xF0, 0x00, 0xFF, 0xFF, 0xFF}};
    expectDecodesTo(fuzz::writePng(deep), ui::Picture{1, 1, 3, {255, 1, 19}});
}

TEST(ForeignFormats, BmpAndIconsLoadIconsWithAlpha) {
    const PngImage rgb = eightBit(PNG_COLOR_TYPE_RGB, 3, 2),
                   rgba = eightBit(PNG_COLOR_TYPE_RGBA, 3, 2);
    expectDecodesTo(fuzz::writeBmp24(3, 2, decoded(rgb).pixels), decoded(rgb));
    expectDecodesTo(fuzz::writeIcoPng(3, 2, fuzz::writePng(rgba)), decoded(rgba));
    // An icon's PNG keeps its tRNS transparency, where a PNG of its own is drawn opaque.
    PngImage palette{.width = 2, .height = 1, .colorType = PNG_COLOR_TYPE_PALETTE};
    palette.palette = {{200, 10, 20}, {30, 40, 250}};
    palette.paletteAlpha = {0};
    palette.rows = {Bytes{0, 1}};
    expectDecodesTo(fuzz::writeIcoPng(2, 1, fuzz::writePng(palette)),
                    ui::Picture{2, 1, 4, {20, 10, 200, 0, 250, 40, 30, 255}});

    // Qt hands 32-bit icon images over premultiplied, so only opaque colours survive exactly.
    const Bytes bgra = {1, 2, 3, 255, 40, 50, 60, 0, 70, 80, 90, 255, 9, 8, 7, 0};
    const Bytes ico = fuzz::writeIcoBmp32(2, 2, bgra);
    ui::Picture got;
    ASSERT_TRUE(ui::decodePicture(ico.data(), ico.size(), got));
    ASSERT_EQ(got.pixels.size(), 16u);
    Bytes want = bgra;
    for (std::size_t i = 0; i < 16; ++i)
        if (i % 4 != 3 && bgra[i | 3] == 0) want[i] = got.pixels[i];
    EXPECT_EQ(got.pixels, want);
}

Bytes flippedIn(Bytes file, const char* chunk) {
    const auto at = std::search(file.begin(), file.end(), chunk, chunk + 4);
    EXPECT_NE(at, file.end());
    at[6] ^= 0x10;
    return file;
}

// Every cut of a PNG (text after the image data included), a BMP and an ICO is refused, and so
// are other formats. Qt and libpng both like to print about damage; a failed or partial decode
// must stay silent.
TEST(Hostile, DamagedAndCutFilesAreRefusedSilently) {
    PngImage png = eightBit(PNG_COLOR_TYPE_RGBA, 3, 2);
    png.compressedText = "chunks after the image data are cut too";
    const Bytes pngFile = fuzz::writePng(png);
    testing::internal::CaptureStderr();
    // The first BMP version's 12-byte header: 3 x 2 at 24 bits, rows of 12 bytes from offset 26.
    Bytes coreBmp = {'B', 'M', 50, 0, 0, 0, 0, 0, 0, 0, 26, 0,  0,
                     0,   12,  0,  0, 0, 3, 0, 2, 0, 1, 0,  24, 0};
    coreBmp.resize(50, 0x3C);
    // BMP rows with and without padding (11 and 4 pixels of 24 bits).
    for (const Bytes& file :
         {pngFile, fuzz::writeBmp24(11, 2, Bytes(66, 0x5A)), fuzz::writeBmp24(4, 1, Bytes(12, 0x5A)),
          coreBmp, fuzz::writeIcoBmp32(2, 2, Bytes(16, 0xA5))}) {
        EXPECT_TRUE(decodes(file));
        for (std::size_t length = 0; length < file.size(); ++length)
            EXPECT_FALSE(decodes(Bytes(file.begin(), file.begin() + long(length)))) << length;
    }
    // Formats Qt itself would decode are refused as well.
    for (const std::string& other :
         {std::string("P6 1 1 255\n\x01\x02\x03", 14),
          std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13),
          std::string("/* XPM */\nstatic char *p[] = {\"1 1 1 1\", \"a c #FF0000\", \"a\"};\n")})
        EXPECT_FALSE(decodes(Bytes(other.begin(), other.end())));
    EXPECT_FALSE(decodes(flippedIn(pngFile, "IDAT")));
    Bytes noImage = fuzz::writeIcoPng(3, 2, pngFile); // an icon whose directory counts none
    noImage[4] = noImage[5] = 0;
    EXPECT_FALSE(decodes(noImage));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// A valid file one pixel wider than the side limit is refused; at the limit, and at exactly the
// pixel budget, it loads. Files that merely claim huge sizes are the bomb tests' business.
TEST(Hostile, SideLimitAndPixelBudgetAreExact) {
    for (auto [width, height] :
         {std::pair{ui::MaxPictureSide + 1, 1}, {ui::MaxPictureSide, 1}, {4096, 4096}}) {
        PngImage grey{width, height, PNG_COLOR_TYPE_GRAY, 1};
        grey.rows.assign(std::size_t(height), Bytes(std::size_t(width + 7) / 8, 0xAA));
        EXPECT_EQ(decodes(fuzz::writePng(grey)), width <= ui::MaxPictureSide) << width;
    }
}

// A signature, then chunks of a type, a claimed length and the bytes held (0xFF, CRC included:
// a length read from the wrong place claims 4 GB).
Bytes chunks(std::initializer_list<std::tuple<const char*, std::uint32_t, std::uint32_t>> list) {
    Bytes file = {137, 80, 78, 71, 13, 10, 26, 10};
    for (auto [type, claim, held] : list) {
        fuzz::put(file, claim, 4, true);
        file.insert(file.end(), type, type + 4);
        file.resize(file.size() + held + 4, 0xFF);
    }
    return file;
}

// The chunk scan alone, as libpng and the reader would hide its faults: a length whose bytes all
// differ, a huge one with zero low bytes, a closing chunk that fits exactly or by one short; and
// the signature check from its first byte on.
TEST(Guards, ChunkScanReadsWholeLengthsAndFitsExactly) {
    const std::pair<Bytes, bool> files[] = {
        {chunks({{"tEXt", 0x01020304, 0x01020304}, {"IEND", 0, 0}}), true},
        {chunks({{"tEXt", 0x7F000000, 0}, {"IEND", 0, 0}}), false},
        {chunks({{"IEND", 5, 5}}), true},
        {chunks({{"IEND", 6, 5}}), false},
        {chunks({{"IDAT", 0, 0}}), false}};
    for (const auto& [file, fits] : files)
        EXPECT_EQ(ui::chunksFitInFile(file.data(), file.size()), fits) << file.size();
    EXPECT_FALSE(ui::hasPngSignature(Bytes{0x88, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}.data(), 8));
}

// The memory reader alone, libpng's reads being kept within the file by the chunk scan: every
// read at every position, one byte too long or fitting.
TEST(Guards, MemoryReaderStopsAtTheEndAtEveryLength) {
    Bytes data(24);
    std::iota(data.begin(), data.end(), 1);
    for (std::size_t start = 0; start <= data.size(); ++start)
        for (std::size_t length = 0; length <= data.size() - start + 1; ++length) {
            ui::MemorySource source{data.data(), data.size(), start};
            const bool fits = start + length <= data.size();
            Bytes out(length, 0), want(length, 0);
            if (fits) std::copy_n(data.begin() + long(start), length, want.begin());
            ASSERT_EQ(ui::readNext(source, out.data(), length), fits) << start << " + " << length;
            EXPECT_EQ(std::pair(source.position, out),
                      std::pair(fits ? start + length : start, want));
        }
}

} // namespace
