// The committed pictures in Media/ and the application icons: the generator still draws every
// one pixel for pixel, a file cut to half is refused, and the areas picture has the Areas the
// game's rules need.
#include "app/numbers.h"
#include "model/areas.h"
#include "model/tables.h"
#include "tests/support/support.h"
#include "tools/mkmedia/app_icon.h"
#include "tools/mkmedia/generate.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

ui::Picture decodeFile(const std::string& path) {
    const auto bytes = support::fileData(path);
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
    std::vector<std::string> files(app::PictureFiles.begin(), app::PictureFiles.end());
    files.insert(files.end(), app::ToolPictureFiles.begin(), app::ToolPictureFiles.end());
    for (const int size : mkmedia::AppIconSizes)
        files.push_back("dist/icons/selvo-mornik-" + std::to_string(size) + ".png");
    for (const std::string& file : files) {
        const ui::Picture committed = decodeFile(file);
        const ui::Picture drawn = decodeFile((out / fs::path(file).filename()).string());
        EXPECT_TRUE(
            std::tie(drawn.width, drawn.height, drawn.channels, drawn.pixels) ==
            std::tie(committed.width, committed.height, committed.channels, committed.pixels))
            << file << " differs: run the media target";
        const auto bytes = support::fileData(file);
        ui::Picture half;
        EXPECT_FALSE(ui::decodePicture(bytes.data(), bytes.size() / 2, half)) << file;
    }
    fs::remove_all(out);
}

// Sixteen Areas, each one piece by 4-neighbours (so that wandering can reach all of it), and
// every founder standing in one.
TEST(AreasPicture, SixteenConnectedAreasHoldEveryFounder) {
    const ui::Picture p = decodeFile(app::PictureFiles[map::AreasPicture]);
    model::setAreaMap({p.width, p.height, ui::pixelValues(p)});
    ASSERT_TRUE(model::hasAreaMap());
    for (int area = 1; area <= model::AreaCount; ++area) {
        const auto& v = model::areaMap().values;
        const auto first = std::find(v.begin(), v.end(), area);
        ASSERT_NE(first, v.end()) << "Area " << area;
        std::vector<bool> seen(v.size());
        std::vector<std::pair<int, int>> todo = {
            {int(first - v.begin()) % p.width, int(first - v.begin()) / p.width}};
        while (!todo.empty()) {
            const auto [x, y] = todo.back();
            todo.pop_back();
            if (model::areaValue(x, y) != area || seen[std::size_t(y * p.width + x)]) continue;
            seen[std::size_t(y * p.width + x)] = true;
            todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
        }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), true), std::count(v.begin(), v.end(), area))
            << "Area " << area << " is in pieces";
    }
    for (const model::Founder& f : model::founderTable)
        EXPECT_TRUE(model::isArea(model::areaAt(f.x, f.y))) << f.x << "," << f.y;
}

} // namespace
