// Damaged, truncated and oversized files: refused or ignored without a crash or a big allocation.
#include "tests/picture/fixtures.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace {

using fixtures::Bytes;

const Bytes signature = {137, 80, 78, 71, 13, 10, 26, 10};

fixtures::PngImage smallRgba() {
    fixtures::PngImage image{.width = 3, .height = 2, .colorType = PNG_COLOR_TYPE_RGBA};
    image.rows = {Bytes(12, 0x40), Bytes(12, 0xC3)};
    return image;
}

bool decodes(const Bytes& file) {
    ui::Picture out{1, 1, 3, {9, 9, 9}};
    const bool ok = ui::decodePicture(file.data(), file.size(), out);
    EXPECT_EQ(ok, !out.pixels.empty()) << "a failed decode leaves the picture empty";
    return ok;
}

void append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// A truecolour file whose header claims width x height, followed by a little image data.
Bytes claiming(std::uint32_t width, std::uint32_t height) {
    Bytes header;
    for (std::uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8)
            header.push_back(std::uint8_t(v >> shift));
    append(header, {8, PNG_COLOR_TYPE_RGB, 0, 0, 0});
    Bytes zeros(4096, 0), packed(compressBound(4096));
    uLongf packedSize = packed.size();
    compress(packed.data(), &packedSize, zeros.data(), zeros.size());
    packed.resize(packedSize);
    Bytes file = signature;
    append(file, fixtures::pngChunk("IHDR", header));
    append(file, fixtures::pngChunk("IDAT", packed));
    append(file, fixtures::pngChunk("IEND", {}));
    return file;
}

// Runs `body` with stderr captured: a failed decode must not print anything.
template <typename Body> void expectSilent(Body body) {
    testing::internal::CaptureStderr();
    body();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

void damagedPngs() {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        Bytes file = signature;
        for (int i = 0; i < 16 + round * 10; ++i)
            file.push_back(std::uint8_t(random()));
        EXPECT_FALSE(decodes(file));
    }

    Bytes file = fixtures::writePng(smallRgba());
    ASSERT_TRUE(decodes(file));
    const auto idat = std::search(file.begin(), file.end(), "IDAT", "IDAT" + 4) - file.begin();
    ASSERT_LT(idat, std::ptrdiff_t(file.size()));
    file[std::size_t(idat) + 6] ^= 0x10;
    EXPECT_FALSE(decodes(file));

    // A damaged ancillary chunk only costs the chunk (libpng warns, and must stay quiet).
    fixtures::PngImage withText = smallRgba();
    withText.compressedText = "text";
    file = fixtures::writePng(withText);
    const auto ztxt = std::search(file.begin(), file.end(), "zTXt", "zTXt" + 4) - file.begin();
    ASSERT_LT(ztxt, std::ptrdiff_t(file.size()));
    file[std::size_t(ztxt) + 6] ^= 0x10;
    EXPECT_TRUE(decodes(file));
}

TEST(PngHostile, DamagedDataIsRefusedSilently) {
    expectSilent(damagedPngs);
}

void expectEveryCutRefused(const Bytes& file) {
    ASSERT_TRUE(decodes(file));
    for (std::size_t length = 0; length < file.size(); ++length)
        EXPECT_FALSE(decodes(Bytes(file.begin(), file.begin() + long(length)))) << length;
}

TEST(PngHostile, EveryTruncationIsRefusedSilently) {
    fixtures::PngImage image = smallRgba();
    image.compressedText = "chunks after the image data are cut too";
    expectSilent([&] { expectEveryCutRefused(fixtures::writePng(image)); });
}

TEST(ForeignHostile, CutFilesAreRefusedAndDamageIsSilent) {
    const Bytes bmp = fixtures::writeBmp24(3, 2, Bytes(18, 0x5A));
    const Bytes ico = fixtures::writeIcoBmp32(2, 2, Bytes(16, 0xA5));
    expectSilent([&] {
        expectEveryCutRefused(bmp);
        expectEveryCutRefused(ico);
        // No checksum guards these formats: any single flipped bit may or may not still decode,
        // but never crashes or prints.
        for (const Bytes& file : {bmp, ico})
            for (std::size_t bit = 0; bit < file.size() * 8; ++bit) {
                Bytes flipped = file;
                flipped[bit / 8] ^= std::uint8_t(1 << (bit % 8));
                decodes(flipped);
            }
    });
}

TEST(PngHostile, OversizedClaimsAreRefusedBeforeAllocating) {
    // Too wide for the side limit, then within it but over the pixel budget (16 Mpx).
    for (auto [width, height] : {std::pair{100000u, 100000u}, {8192u, 8192u}, {4097u, 4096u}}) {
        fixtures::resetLargestAllocation();
        EXPECT_FALSE(decodes(claiming(width, height))) << width << " x " << height;
        EXPECT_LT(fixtures::largestAllocation(), 1 << 20) << width << " x " << height;
    }

    // A complete, valid file one pixel wider than the side limit is refused; at the limit it loads.
    for (int width : {ui::MaxPictureSide + 1, ui::MaxPictureSide}) {
        fixtures::PngImage wide{
            .width = width, .height = 1, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = 1};
        wide.rows.assign(1, Bytes(std::size_t(width + 7) / 8, 0));
        EXPECT_EQ(decodes(fixtures::writePng(wide)), width == ui::MaxPictureSide) << width;
    }

    // Exactly the budget still loads.
    fixtures::PngImage full{
        .width = 4096, .height = 4096, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = 1};
    full.rows.assign(4096, Bytes(512, 0xAA));
    ui::Picture picture;
    const Bytes file = fixtures::writePng(full);
    ASSERT_TRUE(ui::decodePicture(file.data(), file.size(), picture));
    EXPECT_EQ(picture.pixels.size(), 4096u * 4096u * 3u);
    EXPECT_EQ(picture.pixels[0], 255);
    EXPECT_EQ(picture.pixels.back(), 0);
}

TEST(PngHostile, CompressedTextBombIsIgnored) {
    fixtures::PngImage image = smallRgba();
    image.compressedText.assign(32 << 20, 'a');
    const Bytes file = fixtures::writePng(image);
    image.compressedText.clear();
    ASSERT_LT(file.size(), 1u << 20);

    fixtures::resetLargestAllocation();
    ui::Picture picture;
    ASSERT_TRUE(ui::decodePicture(file.data(), file.size(), picture));
    EXPECT_LT(fixtures::largestAllocation(), 2 << 20);
    ui::Picture plain;
    const Bytes reference = fixtures::writePng(image);
    ASSERT_TRUE(ui::decodePicture(reference.data(), reference.size(), plain));
    EXPECT_EQ(picture.pixels, plain.pixels);
}

} // namespace
