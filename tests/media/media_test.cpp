// The committed pictures in Media/ and the application icons: the generator still draws every
// one pixel for pixel, and a file cut to half is refused. (Where the founders stand in the areas
// picture is pinned by the golden runs' year-0 rows.)
#include "app/numbers.h"
#include "model/tables.h"
#include "tools/mkmedia/app_icon.h"
#include "tools/mkmedia/generate.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

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
    std::vector<std::string> files(app::PictureFiles.begin(), app::PictureFiles.end());
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

} // namespace
