// The picture table, the one open drawing, plain and alpha drawing and pixel reads.
#include "tests/picture/fixtures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <filesystem>

namespace {

using fixtures::Bytes;

ui::Picture pattern(int width, int height, int channels, int seed) {
    ui::Picture picture{width, height, channels, {}};
    for (int i = 0; i < width * height * channels; ++i)
        picture.pixels.push_back(std::uint8_t(i * 29 + seed * 71 + 5));
    return picture;
}

// Plain copy done pixel by pixel in 64 bits: the result drawPicture must reproduce.
void referenceCopy(const ui::Picture& source, ui::Picture& target, long long x, long long y) {
    for (long long ty = 0; ty < target.height; ++ty)
        for (long long tx = 0; tx < target.width; ++tx) {
            const long long sx = tx - x, sy = ty - y;
            if (sx < 0 || sy < 0 || sx >= source.width || sy >= source.height) continue;
            const std::uint8_t* s =
                &source.pixels[std::size_t((sy * source.width + sx) * source.channels)];
            std::uint8_t* d =
                &target.pixels[std::size_t((ty * target.width + tx) * target.channels)];
            for (int c = 0; c < 3; ++c)
                d[c] = s[c];
            if (target.channels == 4) d[3] = source.channels == 4 ? s[3] : 255;
        }
}

class PictureTable : public ::testing::Test {
  protected:
    void SetUp() override { ui::freeAllPictures(); }
    void TearDown() override { ui::freeAllPictures(); }
};

using Drawing = PictureTable;

TEST_F(PictureTable, FailedLoadLeavesTheNumberEmpty) {
    fixtures::TempFolder folder;
    fixtures::PngImage image{.width = 2, .height = 1};
    image.rows = {Bytes{1, 2, 3, 4, 5, 6}};
    const Bytes png = fixtures::writePng(image);
    const std::string good = folder.write("good.png", png);
    Bytes damaged = png;
    damaged.resize(damaged.size() - 1);
    const std::string bad = folder.write("bad.png", damaged);

    ASSERT_TRUE(ui::loadPicture(5, good));
    ASSERT_NE(ui::pictureHandle(5), nullptr);
    EXPECT_EQ(ui::pictureHandle(5)->pixels, (Bytes{3, 2, 1, 6, 5, 4}));

    for (const std::string& path :
         {(folder.path / "missing.png").string(), bad, folder.path.string()}) {
        ASSERT_TRUE(ui::loadPicture(5, good));
        EXPECT_FALSE(ui::loadPicture(5, path)) << path;
        EXPECT_EQ(ui::pictureHandle(5), nullptr) << path;
    }

    // Trailing bytes after the closing chunk do not matter to the decoder, only the file size.
    const std::string huge = folder.write("huge.png", png);
    std::filesystem::resize_file(huge, (64u << 20) + 1);
    EXPECT_FALSE(ui::loadPicture(6, huge));
    std::filesystem::resize_file(huge, 64u << 20);
    EXPECT_TRUE(ui::loadPicture(6, huge));

    EXPECT_FALSE(ui::loadPicture(-1, good));
    EXPECT_FALSE(ui::loadPicture(ui::MaxPictures, good));
    EXPECT_EQ(ui::pictureHandle(ui::MaxPictures), nullptr);
}

TEST_F(PictureTable, SetPictureRefusesInconsistentPictures) {
    ASSERT_TRUE(ui::setPicture(1, pattern(2, 2, 3, 0)));
    EXPECT_FALSE(ui::setPicture(1, ui::Picture{2, 2, 3, Bytes(11)}));
    EXPECT_EQ(ui::pictureHandle(1), nullptr);
    EXPECT_FALSE(ui::setPicture(1, ui::Picture{1, 1, 2, Bytes(2)}));
    EXPECT_FALSE(ui::setPicture(1, ui::Picture{}));
    EXPECT_TRUE(ui::setPicture(1, pattern(3, 1, 4, 2)));
    EXPECT_EQ(ui::pictureHandle(1)->pixels, pattern(3, 1, 4, 2).pixels);
}

TEST_F(Drawing, AtMostOneDrawingIsOpen) {
    ui::setPicture(2, pattern(2, 2, 3, 0));
    ui::setPicture(3, pattern(2, 2, 3, 1));
    ASSERT_TRUE(ui::openDrawing(2));
    ASSERT_TRUE(ui::openDrawing(3));
    EXPECT_EQ(ui::openDrawingNumber(), 3);
    EXPECT_FALSE(ui::openDrawing(4));
    EXPECT_EQ(ui::openDrawingNumber(), -1);
    ASSERT_TRUE(ui::openDrawing(2));
    ui::freePicture(2);
    EXPECT_EQ(ui::openDrawingNumber(), -1);
    EXPECT_EQ(ui::readPixel(0, 0), -1);
}

TEST_F(Drawing, ReadPixelGivesRedInTheLowByte) {
    ui::setPicture(0, ui::Picture{2, 1, 4, Bytes{0x11, 0x22, 0x33, 0x44, 1, 2, 3, 4}});
    EXPECT_EQ(ui::readPixel(0, 0), -1);
    ASSERT_TRUE(ui::openDrawing(0));
    EXPECT_EQ(ui::readPixel(0, 0), 0x112233);
    EXPECT_EQ(ui::readPixel(1, 0), 0x010203);
    for (auto [x, y] : {std::pair{-1, 0}, {2, 0}, {0, 1}, {0, -1}, {INT_MIN, INT_MAX}})
        EXPECT_EQ(ui::readPixel(x, y), -1) << x << ", " << y;
}

TEST_F(Drawing, PlainCopyClipsOnEveryEdgeForEveryChannelPair) {
    const std::vector<int> positions = {INT_MIN, INT_MIN + 1, -1000,  -3, -2, -1, 0, 1, 2, 3, 4, 5,
                                        1000,    INT_MAX - 1, INT_MAX};
    for (int from : {3, 4})
        for (int to : {3, 4}) {
            const ui::Picture source = pattern(3, 2, from, 1);
            for (int x : positions)
                for (int y : positions) {
                    ui::setPicture(7, pattern(5, 4, to, 2));
                    ui::Picture want = *ui::pictureHandle(7);
                    referenceCopy(source, want, x, y);
                    ASSERT_TRUE(ui::openDrawing(7));
                    ui::drawPicture(&source, x, y);
                    ASSERT_EQ(ui::pictureHandle(7)->pixels, want.pixels)
                        << from << " -> " << to << " at " << x << ", " << y;
                }
        }
    ui::drawPicture(nullptr, 0, 0);
    ui::closeDrawing();
    const ui::Picture before = *ui::pictureHandle(7);
    ui::drawPicture(&before, 1, 1);
    EXPECT_EQ(ui::pictureHandle(7)->pixels, before.pixels);
}

TEST_F(Drawing, AlphaBlendRoundsEveryAlpha) {
    ui::Picture source{256, 3, 4, {}};
    for (int y = 0; y < 3; ++y)
        for (int a = 0; a < 256; ++a)
            for (int c : {a * 7 + y * 50, a * 3 + 90, 255 - a, a})
                source.pixels.push_back(std::uint8_t(c));
    for (int to : {3, 4}) {
        ui::setPicture(1, pattern(256, 3, to, 3));
        ui::Picture want = *ui::pictureHandle(1);
        for (std::size_t p = 0; p < 256 * 3; ++p) {
            const double a = source.pixels[p * 4 + 3];
            for (int c = 0; c < 3; ++c) {
                std::uint8_t& d = want.pixels[p * std::size_t(to) + std::size_t(c)];
                d = std::uint8_t(
                    std::lround((source.pixels[p * 4 + std::size_t(c)] * a + d * (255 - a)) / 255));
            }
            if (to == 4) {
                std::uint8_t& d = want.pixels[p * 4 + 3];
                d = std::uint8_t(a + std::lround(d * (255 - a) / 255));
            }
        }
        ASSERT_TRUE(ui::openDrawing(1));
        ui::drawPictureAlpha(&source, 0, 0);
        EXPECT_EQ(ui::pictureHandle(1)->pixels, want.pixels) << to << " channels";
    }
}

TEST_F(Drawing, AlphaBlendByHand) {
    // Transparent, half and opaque icon pixels over a background of (10, 20, 30).
    ui::setPicture(0, ui::Picture{4, 1, 3, Bytes{10, 20, 30, 10, 20, 30, 10, 20, 30, 10, 20, 30}});
    const ui::Picture icon{3, 1, 4, Bytes{99, 99, 99, 0, 200, 100, 50, 128, 1, 2, 3, 255}};
    ASSERT_TRUE(ui::openDrawing(0));
    ui::drawPictureAlpha(&icon, 1, 0);
    EXPECT_EQ(ui::pictureHandle(0)->pixels, (Bytes{10, 20, 30, 10, 20, 30, 105, 60, 40, 1, 2, 3}));

    // Without alpha the source is copied as it is, clipped like a plain draw.
    const ui::Picture flat = pattern(2, 2, 3, 4);
    ui::Picture want = *ui::pictureHandle(0);
    referenceCopy(flat, want, 3, -1);
    ui::drawPictureAlpha(&flat, 3, -1);
    EXPECT_EQ(ui::pictureHandle(0)->pixels, want.pixels);
}

TEST_F(Drawing, DrawingAPictureOntoItselfReadsTheOriginal) {
    for (auto draw : {ui::drawPicture, ui::drawPictureAlpha}) {
        ui::setPicture(4, pattern(4, 3, 4, 5));
        ui::setPicture(5, pattern(4, 3, 4, 5));
        const ui::Picture original = *ui::pictureHandle(5);
        ASSERT_TRUE(ui::openDrawing(5));
        draw(&original, 1, 1);
        ASSERT_TRUE(ui::openDrawing(4));
        draw(ui::pictureHandle(4), 1, 1);
        EXPECT_EQ(ui::pictureHandle(4)->pixels, ui::pictureHandle(5)->pixels);
        EXPECT_NE(ui::pictureHandle(4)->pixels, original.pixels);
    }
}

} // namespace
