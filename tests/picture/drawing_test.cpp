// The picture table, the one open drawing, plain and alpha drawing and pixel reads.
#include "tests/support/support.h"
#include "tools/fuzz/files.h"
#include "ui/picture.h"
#include "ui/picture_files.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <climits>
#include <cmath>
#include <map>
#include <random>
#include <thread>

namespace {

using fuzz::Bytes;

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
            const auto* s = &source.pixels[std::size_t((sy * source.width + sx) * source.channels)];
            auto* d = &target.pixels[std::size_t((ty * target.width + tx) * target.channels)];
            std::copy(s, s + 3, d);
            if (target.channels == 4) d[3] = source.channels == 4 ? s[3] : 255;
        }
}

// Source over done pixel by pixel in floating point and rounded: what drawPictureAlpha must give.
void referenceBlend(const ui::Picture& source, ui::Picture& target, int x, int y) {
    for (int ty = std::max(y, 0); ty < std::min(y + source.height, target.height); ++ty)
        for (int tx = std::max(x, 0); tx < std::min(x + source.width, target.width); ++tx) {
            const auto* s = &source.pixels[std::size_t(((ty - y) * source.width + tx - x) * 4)];
            auto* d = &target.pixels[std::size_t((ty * target.width + tx) * target.channels)];
            for (int c = 0; c < target.channels; ++c)
                d[c] = std::uint8_t(
                    std::lround(((c < 3 ? s[c] : 255) * s[3] + d[c] * (255 - s[3])) / 255.0));
        }
}

class PictureTable : public ::testing::Test {
  protected:
    void SetUp() override { ui::freeAllPictures(); }
    void TearDown() override { ui::freeAllPictures(); }
};

using Drawing = PictureTable;

// A list is read on a second thread as if loaded number by number, and each file once: numbers
// asked for out of order, before the thread reaches them or while it reads them, a file named
// twice, files missing, not a file or over 64 MB; then a list read wholly ahead, its files gone
// before anything asks.
TEST_F(PictureTable, ListedFilesLoadAsIfOneByOneAndEachOnce) {
    support::TempFolder folder;
    std::map<std::string, Bytes> pixels; // what each file decodes to; none where it is refused
    const auto write = [&](const std::string& name, int width, int height) {
        fuzz::PngImage image{width, height};
        for (int y = 0; y < height; ++y)
            image.rows.push_back(pattern(width, 1, 3, y).pixels);
        const Bytes png = fuzz::writePng(image);
        ui::Picture decoded;
        EXPECT_TRUE(ui::decodePicture(png.data(), png.size(), decoded));
        pixels[name] = decoded.pixels;
        return folder.write(name, png);
    };
    const auto expectLoaded = [&](int number, const std::string& name) {
        const ui::Picture* picture = ui::pictureHandle(number);
        EXPECT_EQ(picture ? picture->pixels : Bytes{}, pixels[name]) << number;
    };
    const int before = ui::files::listFilesRead();
    const auto awaitReads = [before](int count) {
        for (int wait = 0; wait < 500 && ui::files::listFilesRead() - before < count; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    };
    const std::string a = write("a", 2, 1), big = write("big", 1024, 1024), b = write("b", 3, 1);
    const std::string full = write("full", 2, 1), over = write("over", 2, 1);
    std::filesystem::resize_file(full, 64u << 20); // what follows the closing chunk is ignored
    std::filesystem::resize_file(over, (64u << 20) + 1); // refused unread
    pixels.erase("over");
    ui::setPicture(0, pattern(1, 1, 3, 0));
    ASSERT_TRUE(ui::openDrawing(0));
    EXPECT_FALSE(ui::openDrawing(1)); // holds nothing: leaves no drawing open
    EXPECT_EQ(std::pair(ui::openDrawingNumber(), ui::readPixel(0, 0)), std::pair(-1, -1));
    ASSERT_TRUE(ui::openDrawing(0));
    ui::loadPictures({a, big, b, a, folder.path / "missing", b, full, over, folder.path, a});
    EXPECT_EQ(ui::openDrawingNumber(), -1); // what the numbers held is gone
    awaitReads(1); // a is read, and under the same lock the thread starts on big
    const char* names[] = {"a", "big", "b", "a", "missing", "b", "full", "over", "folder", "a"};
    for (int number : {5, 9, 3, 1, 4, 0, 2, 8, 7, 6})
        expectLoaded(number, names[number]);
    EXPECT_EQ(ui::files::listFilesRead() - before, 7);
    ui::loadPictures({a, b});
    awaitReads(9);
    std::filesystem::remove(a);
    std::filesystem::remove(b);
    expectLoaded(1, "b");
    expectLoaded(0, "a");
    expectLoaded(2, "b"); // beyond the shorter list: kept
    EXPECT_EQ(ui::files::listFilesRead() - before, 9);
    EXPECT_FALSE(ui::loadPicture(-1, full) || ui::loadPicture(ui::MaxPictures, full));
    // Pictures made in memory: a number outside the table, or one not as wide as it claims.
    const ui::Picture tiny{1, 1, 3, {1, 2, 3}};
    EXPECT_FALSE(ui::setPicture(-1, tiny) || ui::setPicture(ui::MaxPictures, tiny));
    const auto sized = [](int w, int h, int c) {
        return ui::Picture{w, h, c, std::vector<std::uint8_t>(std::size_t(w) * h * c)};
    };
    const int side = ui::MaxPictureSide;
    for (const ui::Picture& p : {sized(0, 1, 3), sized(1, 0, 3), sized(1, 1, 2), sized(1, 1, 5),
                                 sized(side + 1, 1, 3), sized(1, side + 1, 4)})
        EXPECT_FALSE(ui::setPicture(3, p)) << p.width << " x " << p.height << " x " << p.channels;
    EXPECT_EQ(ui::pictureHandle(3), nullptr);
    EXPECT_TRUE(ui::setPicture(3, sized(side, 1, 3)) && ui::setPicture(3, sized(1, side, 4)));
}

// Both draws copy a source without alpha plainly; the plain draw drops a source's alpha. A picture
// drawn onto itself is drawn as it was before.
TEST_F(Drawing, CopiesClipOnEveryEdgeForEveryChannelPair) {
    const int positions[] = {INT_MIN, -3, -2, -1, 0, 1, 2, 3, 4, 5, INT_MAX};
    const std::pair<void (*)(const ui::Picture*, int, int), int> draws[] = {
        {ui::drawPicture, 3}, {ui::drawPicture, 4}, {ui::drawPictureAlpha, 3}};
    for (auto [draw, from] : draws)
        for (int to : {3, 4})
            for (int x : positions)
                for (int y : positions) {
                    const ui::Picture source = pattern(3, 2, from, 1);
                    ui::setPicture(7, pattern(5, 4, to, 2));
                    ui::Picture want = *ui::pictureHandle(7);
                    referenceCopy(source, want, x, y);
                    ASSERT_TRUE(ui::openDrawing(7));
                    draw(&source, x, y);
                    ASSERT_EQ(ui::pictureHandle(7)->pixels, want.pixels)
                        << from << " -> " << to << " at " << x << ", " << y;
                }
    for (auto draw : {ui::drawPicture, ui::drawPictureAlpha}) { // onto itself: from the original
        ui::setPicture(4, pattern(4, 3, 4, 5));
        const ui::Picture original = *ui::pictureHandle(4);
        ui::Picture want = original;
        draw == ui::drawPicture ? referenceCopy(original, want, 1, 1)
                                : referenceBlend(original, want, 1, 1);
        ASSERT_TRUE(ui::openDrawing(4));
        draw(ui::pictureHandle(4), 1, 1);
        EXPECT_EQ(ui::pictureHandle(4)->pixels, want.pixels);
    }
    ui::drawPicture(nullptr, 0, 0);
    ui::closeDrawing();
    const ui::Picture before = *ui::pictureHandle(7);
    ui::drawPicture(&before, 1, 1);
    EXPECT_EQ(ui::pictureHandle(7)->pixels, before.pixels);
}

// Icons of clear, solid and partly covering pixels on random backgrounds, from the table (prepared
// once) and from outside it, at every place from wholly off one edge to wholly off the other.
TEST_F(Drawing, AlphaBlendEqualsAPlainBlendWhereverItIsClipped) {
    std::mt19937 random(14);
    const auto byte = [&] { return std::uint8_t(random()); };
    const auto picture = [&](int width, int height, int channels, bool icon) {
        ui::Picture p{width, height, channels, {}};
        for (int i = 0; i < width * height * channels; ++i)
            // Icons: half their pixels clear, a quarter solid.
            p.pixels.push_back(icon && i % 4 == 3 ? std::array{0, 0, 255, int(byte())}[random() % 4]
                                                  : byte());
        return p;
    };
    for (int round = 0; round < 6; ++round) {
        const int channels = 3 + round % 2;
        const ui::Picture icon = picture(1 + int(random() % 40), 1 + int(random() % 9), 4, true);
        ui::setPicture(8, icon);
        for (const ui::Picture* source : {ui::pictureHandle(8), &icon})
            for (int y = -icon.height; y <= 10; ++y)
                for (int x = -icon.width; x <= 45; ++x) {
                    ui::setPicture(9, picture(45, 10, channels, false));
                    ui::Picture want = *ui::pictureHandle(9);
                    referenceBlend(icon, want, x, y);
                    ASSERT_TRUE(ui::openDrawing(9));
                    ui::drawPictureAlpha(source, x, y);
                    ASSERT_EQ(ui::pictureHandle(9)->pixels, want.pixels)
                        << icon.width << "x" << icon.height << " onto " << channels
                        << " channels at " << x << ", " << y
                        << (source == &icon ? " from outside the table" : "");
                }
        // Whatever is drawn onto the icon, it draws from then on.
        const ui::Picture repainted = picture(icon.width, icon.height, 4, true);
        ASSERT_TRUE(ui::openDrawing(8));
        ui::drawPicture(&repainted, 0, 0);
        ui::setPicture(9, picture(45, 10, channels, false));
        ui::Picture want = *ui::pictureHandle(9);
        referenceBlend(repainted, want, 1, 0);
        ASSERT_TRUE(ui::openDrawing(9));
        ui::drawPictureAlpha(ui::pictureHandle(8), 1, 0);
        ASSERT_EQ(ui::pictureHandle(9)->pixels, want.pixels);
    }
}

} // namespace
