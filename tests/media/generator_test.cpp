// The generator: it still draws the committed pictures pixel for pixel, and the pieces whose
// faults would not show in a glance at the pictures (distances, PNG channel order, coverage).
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "media_fixture.h"
#include "model/tables.h"
#include "tools/mkmedia/distance.h"
#include "tools/mkmedia/generate.h"
#include "tools/mkmedia/noise.h"
#include "tools/mkmedia/png_io.h"
#include "tools/mkmedia/shapes.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder under the system temp folder, removed with its contents afterwards.
struct TempFolder {
    fs::path path = fs::temp_directory_path() / ("media_test_" + std::to_string(::getpid()));
    TempFolder() { fs::create_directories(path); }
    ~TempFolder() { fs::remove_all(path); }
};

TEST(Generator, DrawsTheCommittedPicturesPixelForPixel) {
    TempFolder out;
    std::string report, error;
    ASSERT_TRUE(mkmedia::generateAll(out.path.string(), report, error)) << error;
    for (const char* file : model::PictureFiles) {
        const std::string name = fs::path(file).filename().string();
        const ui::Picture committed = media_fixture::decodeFile(file);
        const ui::Picture drawn = media_fixture::decodeFile((out.path / name).string());
        EXPECT_EQ(drawn.width, committed.width) << name;
        EXPECT_EQ(drawn.height, committed.height) << name;
        EXPECT_EQ(drawn.channels, committed.channels) << name;
        EXPECT_TRUE(drawn.pixels == committed.pixels) << name << " differs: run the media target";
    }
}

TEST(DistanceTransform, MatchesBruteForce) {
    constexpr int W = 37, H = 23;
    std::vector<std::uint8_t> mask(W * H, 0);
    std::vector<std::pair<int, int>> points;
    for (int i = 0; i < W * H; ++i) {
        if (mkmedia::hashUnit(i, 0, 5u) < 0.03) {
            mask[static_cast<std::size_t>(i)] = 1;
            points.push_back({i % W, i / W});
        }
    }
    ASSERT_GT(points.size(), 5u);
    const std::vector<double> d = mkmedia::distanceToMask(mask, W, H);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            double best = 1e9;
            for (auto [px, py] : points)
                best = std::min(best, std::sqrt(double((x - px) * (x - px) + (y - py) * (y - py))));
            ASSERT_NEAR(d[static_cast<std::size_t>(y * W + x)], best, 1e-9) << x << "," << y;
        }
    }
}

TEST(PngWriting, TheGameDecodesTheSamePixels) {
    TempFolder out;
    for (int channels : {3, 4}) {
        mkmedia::Image img = mkmedia::makeImage(5, 3, channels);
        for (std::size_t i = 0; i < img.data.size(); ++i)
            img.data[i] = static_cast<std::uint8_t>(i * 17 + 3);
        const std::string path = (out.path / "p.png").string();
        ASSERT_TRUE(mkmedia::writePng(path, img));
        const ui::Picture p = media_fixture::decodeFile(path);
        ASSERT_EQ(p.channels, channels);
        ASSERT_EQ(p.width, 5);
        ASSERT_EQ(p.height, 3);
        // The game stores B, G, R(, A); the generator R, G, B(, A).
        for (std::size_t px = 0; px < 15; ++px) {
            const std::uint8_t* src = &img.data[px * channels];
            const std::uint8_t* got = &p.pixels[px * channels];
            EXPECT_EQ(got[0], src[2]);
            EXPECT_EQ(got[1], src[1]);
            EXPECT_EQ(got[2], src[0]);
            if (channels == 4) {
                EXPECT_EQ(got[3], src[3]);
            }
        }
    }
}

TEST(Painter, AlphaIsTheCoveredShare) {
    const mkmedia::Paint disc{[](mkmedia::Point p) {
                                  return mkmedia::sdCircle(p, {8, 8}, 5);
                              },
                              mkmedia::solid({200, 100, 50})};
    const mkmedia::Image img = mkmedia::renderPaints(16, 16, 1.0, {disc});
    double covered = 0;
    for (std::size_t i = 3; i < img.data.size(); i += 4)
        covered += img.data[i] / 255.0;
    EXPECT_NEAR(covered, mkmedia::Pi * 25, 0.5);
    EXPECT_EQ(mkmedia::pixelAt(img, 8, 8)[3], 255);
    EXPECT_EQ(mkmedia::pixelAt(img, 0, 0)[3], 0);
    // An edge pixel is partly covered but keeps the full colour (straight alpha).
    const std::uint8_t* edge = mkmedia::pixelAt(img, 12, 5);
    EXPECT_GT(edge[3], 0);
    EXPECT_LT(edge[3], 255);
    EXPECT_EQ(edge[0], 200);
}

} // namespace
