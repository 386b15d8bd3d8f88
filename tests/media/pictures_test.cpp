// The twenty pictures load through the game's picture table with the sizes and channels the
// game draws them with; the animal icons share one silhouette and differ clearly in colour.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "media_fixture.h"
#include "model/tables.h"

namespace {

using media_fixture::MapH;
using media_fixture::MapW;

struct Expect {
    int minW, maxW, minH, maxH, channels;
};

Expect expectedShape(int number) {
    if (number <= model::AreasPicture) return {MapW, MapW, MapH, MapH, 3};
    if (number < model::FirstBigIcon + 6) return {24, 24, 24, 24, 4};
    if (number < model::RiflePicture) return {14, 14, 14, 14, 4};
    if (number < model::BordersToolPicture) return {8, 72, 8, 23, 4};
    return {16, 24, 16, 24, 4}; // square, checked below
}

TEST(MediaFiles, AllTwentyLoadThroughThePictureTable) {
    for (int n = 0; n < model::PictureCount; ++n) {
        ASSERT_TRUE(ui::loadPicture(n, model::PictureFiles[n])) << model::PictureFiles[n];
        const ui::Picture* p = ui::pictureHandle(n);
        ASSERT_NE(p, nullptr);
        const Expect e = expectedShape(n);
        EXPECT_GE(p->width, e.minW) << n;
        EXPECT_LE(p->width, e.maxW) << n;
        EXPECT_GE(p->height, e.minH) << n;
        EXPECT_LE(p->height, e.maxH) << n;
        EXPECT_EQ(p->channels, e.channels) << n;
    }
    const ui::Picture* tool = ui::pictureHandle(model::BordersToolPicture);
    EXPECT_EQ(tool->width, tool->height);
    ui::freeAllPictures();
}

// Alpha of an icon picture, row-major.
std::vector<int> alphaOf(const ui::Picture& p) {
    std::vector<int> a;
    for (std::size_t i = 3; i < p.pixels.size(); i += 4)
        a.push_back(p.pixels[i]);
    return a;
}

void checkIconSet(int firstNumber) {
    std::vector<ui::Picture> icons;
    for (int k = 0; k < 6; ++k)
        icons.push_back(media_fixture::decodeFile(model::PictureFiles[firstNumber + k]));
    for (const ui::Picture& p : icons)
        ASSERT_EQ(p.channels, 4);
    const int w = icons[0].width, h = icons[0].height;
    const std::vector<int> alpha = alphaOf(icons[0]);

    // Transparent ground, an opaque body and anti-aliased edges in between.
    int opaque = 0, partial = 0;
    for (int a : alpha) {
        opaque += a == 255;
        partial += a > 0 && a < 255;
    }
    EXPECT_EQ(alpha[0] + alpha[w - 1] + alpha[(h - 1) * w] + alpha[h * w - 1], 0);
    EXPECT_GT(opaque, w * h / 5);
    EXPECT_GT(partial, w);

    std::vector<std::array<double, 3>> bodyColour;
    for (const ui::Picture& p : icons) {
        EXPECT_EQ(alphaOf(p), alpha) << "every colour shares one silhouette";
        // The outline: opaque pixels next to a transparent one are dark.
        double edgeLight = 0, edges = 0;
        std::array<double, 3> sum{};
        double inner = 0;
        for (int y = 1; y + 1 < h; ++y) {
            for (int x = 1; x + 1 < w; ++x) {
                const std::uint8_t* px = &p.pixels[static_cast<std::size_t>(y * w + x) * 4];
                if (px[3] < 200) continue;
                const bool edge = alpha[y * w + x - 1] == 0 || alpha[y * w + x + 1] == 0 ||
                                  alpha[(y - 1) * w + x] == 0 || alpha[(y + 1) * w + x] == 0;
                const double light = (px[0] + px[1] + px[2]) / 3.0;
                if (edge) {
                    edgeLight += light;
                    ++edges;
                } else if (light > 60) {
                    for (int c = 0; c < 3; ++c)
                        sum[static_cast<std::size_t>(c)] += px[c];
                    ++inner;
                }
            }
        }
        ASSERT_GT(edges, 0);
        EXPECT_LT(edgeLight / edges, 70) << "dark outline";
        ASSERT_GT(inner, 0);
        for (double& s : sum)
            s /= inner;
        bodyColour.push_back(sum);
    }
    // Any two colours must be far apart, so a player tells them apart at a glance.
    for (std::size_t i = 0; i < 6; ++i) {
        for (std::size_t j = i + 1; j < 6; ++j) {
            double d2 = 0;
            for (std::size_t c = 0; c < 3; ++c)
                d2 += (bodyColour[i][c] - bodyColour[j][c]) * (bodyColour[i][c] - bodyColour[j][c]);
            EXPECT_GT(std::sqrt(d2), 60) << model::PictureFiles[firstNumber + int(i)] << " vs "
                                         << model::PictureFiles[firstNumber + int(j)];
        }
    }
}

TEST(AnimalIcons, BigIconsShareOneSilhouetteWithDistinctBodies) {
    checkIconSet(model::FirstBigIcon);
}

TEST(AnimalIcons, SmallIconsShareOneSilhouetteWithDistinctBodies) {
    checkIconSet(model::FirstBigIcon + model::SmallIconOffset);
}

// Mode and tool-bar pictures: something drawn, on a transparent ground.
TEST(SmallPictures, DrawnOnTransparentGround) {
    for (int n = model::RiflePicture; n <= model::BordersToolPicture; ++n) {
        const ui::Picture p = media_fixture::decodeFile(model::PictureFiles[n]);
        ASSERT_EQ(p.channels, 4);
        int opaque = 0;
        for (std::size_t i = 3; i < p.pixels.size(); i += 4)
            opaque += p.pixels[i] == 255;
        EXPECT_GT(opaque, p.width * p.height / 8) << model::PictureFiles[n];
        if (n != model::BordersToolPicture) {
            EXPECT_EQ(p.pixels[3], 0) << model::PictureFiles[n] << ": top-left corner";
        }
    }
}

} // namespace
