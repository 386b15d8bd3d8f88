// The committed pictures in Media/: they load with the sizes and channels the game draws them
// with, the animal icons tell apart at a glance, the areas picture holds what the game's rules
// need, the borders lie along the Area edges, and the generator still draws every one of them
// and the application icon.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/areas.h"
#include "model/tables.h"
#include "tools/mkmedia/app_icon.h"
#include "tools/mkmedia/generate.h"
#include "ui/picture.h"

namespace {

namespace fs = std::filesystem;
constexpr int MapW = 900, MapH = 640;

// The file at `path` decoded by the game's own loader; fails the calling test when it cannot.
ui::Picture decodeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    ui::Picture picture;
    EXPECT_TRUE(ui::decodePicture(bytes.data(), bytes.size(), picture)) << path;
    return picture;
}

struct Shape {
    int minW, maxW, minH, maxH, channels;
};

Shape shapeOf(int number) {
    using namespace model;
    if (number <= AreasPicture) return {MapW, MapW, MapH, MapH, 3};
    if (number < FirstBigIcon + SmallIconOffset) return {24, 24, 24, 24, 4};
    if (number < RiflePicture) return {14, 14, 14, 14, 4};
    if (number < BordersToolPicture) return {8, 72, 8, 23, 4};
    return {16, 24, 16, 24, 4}; // square, checked below
}

TEST(MediaFiles, AllTwentyLoadThroughThePictureTable) {
    for (int n = 0; n < model::PictureCount; ++n) {
        const char* file = model::PictureFiles[n];
        ASSERT_TRUE(ui::loadPicture(n, file)) << file;
        const ui::Picture& p = *ui::pictureHandle(n);
        const Shape s = shapeOf(n);
        EXPECT_TRUE(p.width >= s.minW && p.width <= s.maxW && p.height >= s.minH &&
                    p.height <= s.maxH && p.channels == s.channels)
            << file << ": " << p.width << "x" << p.height << "x" << p.channels;
        if (p.channels < 4) continue;
        // Icons and mode pictures: something drawn, on a transparent ground.
        int opaque = 0;
        for (std::size_t i = 3; i < p.pixels.size(); i += 4)
            opaque += p.pixels[i] == 255;
        EXPECT_GT(opaque, p.width * p.height / 8) << file;
        EXPECT_TRUE(n == model::BordersToolPicture || p.pixels[3] == 0) << file << ": corner";
    }
    const ui::Picture* tool = ui::pictureHandle(model::BordersToolPicture);
    EXPECT_EQ(tool->width, tool->height);
    ui::freeAllPictures();
}

// Red, orange and yellow once came out too alike: the mean body colours (fully opaque pixels,
// the dark outline and details left out) of any two icons of a set must lie far apart.
TEST(AnimalIcons, BodyColoursFarApart) {
    for (const int first : {+model::FirstBigIcon, model::FirstBigIcon + model::SmallIconOffset}) {
        std::vector<std::array<double, 3>> body;
        for (int n = first; n < first + 6; ++n) {
            const ui::Picture p = decodeFile(model::PictureFiles[n]);
            std::array<double, 3> sum{};
            double count = 0;
            for (std::size_t i = 0; p.channels == 4 && i < p.pixels.size(); i += 4) {
                const std::uint8_t* px = &p.pixels[i];
                if (px[3] < 255 || px[0] + px[1] + px[2] <= 180) continue;
                for (std::size_t c = 0; c < 3; ++c)
                    sum[c] += px[c];
                ++count;
            }
            ASSERT_GT(count, 0) << model::PictureFiles[n];
            body.push_back({sum[0] / count, sum[1] / count, sum[2] / count});
        }
        for (std::size_t i = 0; i < 6; ++i)
            for (std::size_t j = i + 1; j < 6; ++j)
                EXPECT_GT(std::hypot(body[i][0] - body[j][0], body[i][1] - body[j][1],
                                     body[i][2] - body[j][2]),
                          60)
                    << model::PictureFiles[first + i] << " vs " << model::PictureFiles[first + j];
    }
}

TEST(Generator, DrawsTheCommittedPicturesPixelForPixel) {
    const fs::path out = fs::temp_directory_path() / ("media_test_" + std::to_string(::getpid()));
    fs::create_directories(out);
    std::string report, error;
    EXPECT_TRUE(mkmedia::generateAll(out.string(), report, error)) << error;
    EXPECT_TRUE(mkmedia::generateAppIcons(out.string(), error)) << error;
    auto expectDrawn = [&](const std::string& file, int size) {
        const ui::Picture committed = decodeFile(file);
        const ui::Picture drawn = decodeFile((out / fs::path(file).filename()).string());
        EXPECT_TRUE(drawn.width == committed.width && drawn.height == committed.height &&
                    drawn.channels == committed.channels && drawn.pixels == committed.pixels &&
                    (size == 0 || (committed.width == size && committed.height == size)))
            << file << " differs: run the media target";
    };
    for (const char* file : model::PictureFiles)
        expectDrawn(file, 0);
    // The application icon, one file per hicolor size.
    for (const int size : mkmedia::AppIconSizes)
        expectDrawn("dist/icons/selvo-mornik-" + std::to_string(size) + ".png", size);
    fs::remove_all(out);
}

// The committed areas picture, one value per pixel: n for a pixel (n, 0, 0), -1 for any pixel
// with green or blue. Loaded once; empty unless the picture is 900 pixels wide without alpha.
const std::vector<int>& areaKey() {
    static const std::vector<int> key = [] {
        const ui::Picture p = decodeFile(model::PictureFiles[model::AreasPicture]);
        std::vector<int> values;
        for (std::size_t i = 0; p.width == MapW && p.channels == 3 && i < p.pixels.size(); i += 3)
            values.push_back(p.pixels[i] == 0 && p.pixels[i + 1] == 0 ? p.pixels[i + 2] : -1);
        return values;
    }();
    return key;
}

int keyAt(int x, int y) {
    return areaKey()[std::size_t(y) * MapW + x];
}

class AreasPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(areaKey().size(), std::size_t(MapW) * MapH);
        model::loadTables();
    }
};

TEST_F(AreasPicture, OnlyAreaNumbersAndEachAreaOneFourConnectedRegion) {
    std::array<int, 17> regions{};
    std::vector<char> seen(areaKey().size(), 0);
    for (int start = 0; start < MapW * MapH; ++start) {
        const int a = areaKey()[start];
        ASSERT_TRUE(a >= 0 && a <= 16) << "pixel " << start % MapW << "," << start / MapW;
        if (seen[start]) continue;
        ++regions[a];
        std::vector<int> stack{start};
        seen[start] = 1;
        while (!stack.empty()) {
            const int i = stack.back(), x = i % MapW;
            stack.pop_back();
            for (int j : {x > 0 ? i - 1 : -1, x + 1 < MapW ? i + 1 : -1, i - MapW, i + MapW}) {
                if (j < 0 || j >= MapW * MapH || seen[j] || areaKey()[j] != a) continue;
                seen[j] = 1;
                stack.push_back(j);
            }
        }
    }
    for (int a = 1; a <= 16; ++a)
        EXPECT_EQ(regions[a], 1) << "regions of Area " << a;
}

// Nearly every two Areas of unequal capacity are ordered alike by size; and the extremes hold:
// Area 7 (capacity 15) among the three largest, Area 4 (capacity 3) the smallest.
TEST_F(AreasPicture, SizesFollowTheCapacities) {
    std::array<int, 17> size{};
    for (int v : areaKey())
        if (model::isArea(v)) ++size[v];
    int agree = 0, pairs = 0;
    for (int a = 1; a <= 16; ++a) {
        for (int b = 1; b <= 16; ++b) {
            if (model::AreaCapacity[a] <= model::AreaCapacity[b]) continue;
            ++pairs;
            agree += size[a] > size[b];
        }
    }
    EXPECT_GE(agree, 0.8 * pairs) << "pairs of Areas ordered like their capacities";
    EXPECT_LE(std::count_if(size.begin(), size.end(), [&](int s) { return s > size[7]; }), 2);
    EXPECT_EQ(std::min_element(size.begin() + 1, size.end()) - size.begin(), 4);
}

// Each founder's Area is read the way a new game reads it; the males named below must find a
// female they can breed with in their own Area, and no Area may start over its capacity.
TEST_F(AreasPicture, FoundersStandWellInsideAreasThatLetTheHerdBreed) {
    ASSERT_TRUE(ui::loadPicture(model::AreasPicture, model::PictureFiles[model::AreasPicture]));
    std::vector<int> area;
    for (const model::Founder& f : model::founderTable)
        area.push_back(model::areaAt(f.x, f.y));
    ui::freePicture(model::AreasPicture);

    std::array<int, 17> held{};
    for (std::size_t k = 0; k < area.size(); ++k) {
        const model::Founder& f = model::founderTable[k];
        ASSERT_TRUE(model::isArea(area[k])) << "founder #" << k + 1;
        ASSERT_TRUE(f.x >= 12 && f.y >= 12 && f.x + 12 < MapW && f.y + 12 < MapH);
        ++held[area[k]];
        for (int dy = -12; dy <= 12; ++dy)
            for (int dx = -12; dx <= 12; ++dx)
                ASSERT_EQ(keyAt(f.x + dx, f.y + dy), area[k])
                    << "founder #" << k + 1 << " at offset " << dx << "," << dy;
    }
    const struct {
        int male;
        std::vector<int> females;
    } mates[] = {{6, {4, 9}}, {14, {10, 12, 13}}, {17, {16, 19}}, {1, {3}}};
    for (const auto& m : mates)
        EXPECT_TRUE(std::any_of(m.females.begin(), m.females.end(),
                                [&](int f) { return area[f - 1] == area[m.male - 1]; }))
            << "male #" << m.male;
    int empty = 0;
    for (int a = 1; a <= 16; ++a) {
        EXPECT_LE(held[a], model::AreaCapacity[a]) << "Area " << a;
        empty += held[a] == 0;
    }
    EXPECT_GE(empty, 5);
}

TEST_F(AreasPicture, BorderedMapDiffersFromThePlainMapOnlyAlongAreaEdges) {
    const ui::Picture plain = decodeFile(model::PictureFiles[model::PlainMapPicture]);
    const ui::Picture bordered = decodeFile(model::PictureFiles[model::BorderMapPicture]);
    ASSERT_EQ(plain.pixels.size(), std::size_t(MapW) * MapH * 3);
    ASSERT_EQ(bordered.pixels.size(), plain.pixels.size());

    auto differs = [&](int x, int y) {
        const std::size_t i = (std::size_t(y) * MapW + x) * 3;
        return !std::equal(&plain.pixels[i], &plain.pixels[i] + 3, &bordered.pixels[i]);
    };
    auto isEdge = [](int x, int y) {
        const int v = keyAt(x, y);
        return (x > 0 && keyAt(x - 1, y) != v) || (x + 1 < MapW && keyAt(x + 1, y) != v) ||
               (y > 0 && keyAt(x, y - 1) != v) || (y + 1 < MapH && keyAt(x, y + 1) != v);
    };
    // Whether any pixel of the (2r+1)-square around (x, y) satisfies `test`.
    auto near = [](int x, int y, int r, auto test) {
        for (int yy = std::max(0, y - r); yy <= std::min(MapH - 1, y + r); ++yy)
            for (int xx = std::max(0, x - r); xx <= std::min(MapW - 1, x + r); ++xx)
                if (test(xx, yy)) return true;
        return false;
    };
    int strays = 0, edges = 0, drawnEdges = 0;
    for (int y = 0; y < MapH; ++y) {
        for (int x = 0; x < MapW; ++x) {
            strays += differs(x, y) && !near(x, y, 3, isEdge);
            if (isEdge(x, y)) {
                ++edges;
                drawnEdges += near(x, y, 1, differs);
            }
        }
    }
    EXPECT_EQ(strays, 0) << "changed pixels more than 3 pixels from any Area edge";
    ASSERT_GT(edges, 0);
    EXPECT_GE(double(drawnEdges) / edges, 0.95) << "edge pixels with the border drawn beside them";
}

} // namespace
