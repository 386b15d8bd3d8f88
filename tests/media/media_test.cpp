// The committed pictures in Media/: the generator still draws every one pixel for pixel and a
// file cut to half is refused; the animal icons tell apart at a glance; the areas picture holds
// what the rules need (16 connected Areas sized like their capacities, founders well inside
// Areas where the herd can breed).
#include "model/areas.h"
#include "model/tables.h"
#include "tools/mkmedia/app_icon.h"
#include "tools/mkmedia/generate.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;
using model::MapHeight, model::MapWidth;

std::vector<std::uint8_t> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ui::Picture decodeFile(const std::string& path) {
    const auto bytes = bytesOf(path);
    ui::Picture picture;
    EXPECT_TRUE(ui::decodePicture(bytes.data(), bytes.size(), picture)) << path;
    return picture;
}

TEST(Generator, DrawsTheCommittedPicturesPixelForPixelAndHalfOfOneIsRefused) {
    const fs::path out = fs::temp_directory_path() / ("media_test_" + std::to_string(::getpid()));
    fs::create_directories(out);
    std::string report, error;
    EXPECT_TRUE(mkmedia::generateAll(out.string(), report, error)) << error;
    EXPECT_TRUE(mkmedia::generateAppIcons(out.string(), error)) << error;
    std::vector<std::string> files(model::PictureFiles.begin(), model::PictureFiles.end());
    for (const int size : mkmedia::AppIconSizes)
        files.push_back("dist/icons/selvo-mornik-" + std::to_string(size) + ".png");
    for (const std::string& file : files) {
        const ui::Picture committed = decodeFile(file);
        const ui::Picture drawn = decodeFile((out / fs::path(file).filename()).string());
        EXPECT_TRUE(
            std::tie(drawn.width, drawn.height, drawn.channels, drawn.pixels) ==
            std::tie(committed.width, committed.height, committed.channels, committed.pixels))
            << file << " differs: run the media target";
        const auto bytes = bytesOf(file);
        ui::Picture half;
        EXPECT_FALSE(ui::decodePicture(bytes.data(), bytes.size() / 2, half)) << file;
    }
    fs::remove_all(out);
}

// Red, orange and yellow once came out too alike: the mean body colours (fully opaque pixels,
// the dark outline left out) of any two icons of a set must lie far apart.
TEST(AnimalIcons, BodyColoursFarApart) {
    for (const int first : {+model::FirstBigIcon, model::FirstBigIcon + model::SmallIconOffset}) {
        std::vector<std::array<double, 3>> body;
        for (int n = first; n < first + 6; ++n) {
            const ui::Picture p = decodeFile(model::PictureFiles[n]);
            std::array<double, 4> sum{};
            for (std::size_t i = 0; p.channels == 4 && i < p.pixels.size(); i += 4)
                if (p.pixels[i + 3] == 255 && p.pixels[i] + p.pixels[i + 1] + p.pixels[i + 2] > 180)
                    sum = {sum[0] + p.pixels[i], sum[1] + p.pixels[i + 1], sum[2] + p.pixels[i + 2],
                           sum[3] + 1};
            ASSERT_GT(sum[3], 0) << model::PictureFiles[n];
            body.push_back({sum[0] / sum[3], sum[1] / sum[3], sum[2] / sum[3]});
        }
        for (std::size_t i = 0; i < 6; ++i)
            for (std::size_t j = i + 1; j < 6; ++j)
                EXPECT_GT(std::hypot(body[i][0] - body[j][0], body[i][1] - body[j][1],
                                     body[i][2] - body[j][2]),
                          60)
                    << model::PictureFiles[first + i] << " vs " << model::PictureFiles[first + j];
    }
}

// The committed areas picture, one value per pixel: the Area's number, -1 where green or blue.
const std::vector<int>& areaKey() {
    static const std::vector<int> key = [] {
        const ui::Picture p = decodeFile(model::PictureFiles[model::AreasPicture]);
        std::vector<int> values;
        for (std::size_t i = 0; p.width == MapWidth && p.channels == 3 && i < p.pixels.size();
             i += 3)
            values.push_back(p.pixels[i] == 0 && p.pixels[i + 1] == 0 ? p.pixels[i + 2] : -1);
        return values;
    }();
    return key;
}

int keyAt(int x, int y) {
    return areaKey()[std::size_t(y) * MapWidth + x];
}

TEST(AreasPicture, SixteenConnectedAreasSizedLikeTheirCapacities) {
    ASSERT_EQ(areaKey().size(), std::size_t(MapWidth) * MapHeight);
    std::array<int, 17> regions{}, size{};
    std::vector<char> seen(areaKey().size(), 0);
    for (int start = 0; start < MapWidth * MapHeight; ++start) {
        const int a = areaKey()[start];
        ASSERT_TRUE(a >= 0 && a <= 16) << "pixel " << start % MapWidth << "," << start / MapWidth;
        ++size[a];
        if (seen[start]) continue;
        ++regions[a];
        std::vector<int> stack{start};
        for (seen[start] = 1; !stack.empty();) {
            const int i = stack.back(), x = i % MapWidth;
            stack.pop_back();
            for (int j :
                 {x > 0 ? i - 1 : -1, x + 1 < MapWidth ? i + 1 : -1, i - MapWidth, i + MapWidth})
                if (j >= 0 && j < MapWidth * MapHeight && !seen[j] && areaKey()[j] == a)
                    stack.push_back(j), seen[j] = 1;
        }
    }
    // Nearly every two Areas of unequal capacity are ordered alike by size; Area 7 (capacity 15)
    // is among the three largest, Area 4 (capacity 3) the smallest.
    model::loadTables();
    int agree = 0, pairs = 0;
    for (int a = 1; a <= 16; ++a) {
        EXPECT_EQ(regions[a], 1) << "regions of Area " << a;
        for (int b = 1; b <= 16; ++b)
            if (model::AreaCapacity[a] > model::AreaCapacity[b])
                ++pairs, agree += size[a] > size[b];
    }
    EXPECT_GE(agree, 0.8 * pairs) << "pairs of Areas ordered like their capacities";
    EXPECT_LE(std::count_if(size.begin() + 1, size.end(), [&](int s) { return s > size[7]; }), 2);
    EXPECT_EQ(std::min_element(size.begin() + 1, size.end()) - size.begin(), 4);
}

// Each founder's Area, read as a new game reads it, holds its whole footprint; the males named
// below find a female to breed with in their Area; no Area starts over its capacity.
TEST(AreasPicture, FoundersStandWellInsideAreasThatLetTheHerdBreed) {
    ASSERT_EQ(areaKey().size(), std::size_t(MapWidth) * MapHeight);
    model::loadTables();
    ASSERT_TRUE(ui::loadPicture(model::AreasPicture, model::PictureFiles[model::AreasPicture]));
    std::vector<int> area;
    std::array<int, 17> held{};
    for (const model::Founder& f : model::founderTable) {
        area.push_back(model::areaAt(f.x, f.y));
        ASSERT_TRUE(model::isArea(area.back())) << "founder #" << area.size();
        ++held[area.back()];
        for (int dy = -12; dy <= 12; ++dy)
            for (int dx = -12; dx <= 12; ++dx)
                ASSERT_EQ(keyAt(f.x + dx, f.y + dy), area.back()) << "founder #" << area.size();
    }
    for (auto [male, females] :
         {std::pair{6, std::vector{4, 9}}, {14, {10, 12, 13}}, {17, {16, 19}}, {1, {3}}})
        EXPECT_TRUE(std::any_of(females.begin(), females.end(),
                                [&, male = male](int f) { return area[f - 1] == area[male - 1]; }))
            << "male #" << male;
    for (int a = 1; a <= 16; ++a)
        EXPECT_LE(held[a], model::AreaCapacity[a]) << "Area " << a;
    EXPECT_GE(std::count(held.begin() + 1, held.end(), 0), 5);
}

} // namespace
