// The drawn test set of the game's twenty pictures.
#include "tests/robust/media_set.h"

#include "model/tables.h"

#include <fstream>

namespace media_set {

namespace {

using fixtures::Bytes;
using fixtures::PngImage;

constexpr int Margin = 20;
constexpr int BigSide = 25;    // a grown animal's footprint, 2 * 12 + 1
constexpr int SmallSide = 15;  // a young one's, 2 * 7 + 1
constexpr int Transparent = 2; // clear rim of every icon, so the drawing has to honour alpha

bool inLake(int x, int y) {
    return x >= 400 && x < 500 && y >= 520 && y < 600;
}

void putColour(Bytes& row, std::int32_t bbggrr) {
    row.push_back(std::uint8_t(bbggrr));       // red
    row.push_back(std::uint8_t(bbggrr >> 8));  // green
    row.push_back(std::uint8_t(bbggrr >> 16)); // blue
}

Bytes plain(int number, int width, int height) {
    PngImage image{.width = width, .height = height, .colorType = PNG_COLOR_TYPE_RGB};
    Bytes row;
    for (int x = 0; x < width; ++x)
        putColour(row, colourOf(number));
    image.rows.assign(std::size_t(height), row);
    return fixtures::writePng(image);
}

Bytes icon(int number, int side) {
    PngImage image{.width = side, .height = side, .colorType = PNG_COLOR_TYPE_RGBA};
    for (int y = 0; y < side; ++y) {
        Bytes row;
        for (int x = 0; x < side; ++x) {
            putColour(row, colourOf(number));
            const bool rim = x < Transparent || y < Transparent || x >= side - Transparent ||
                             y >= side - Transparent;
            row.push_back(rim ? 0 : 255);
        }
        image.rows.push_back(row);
    }
    return fixtures::writePng(image);
}

} // namespace

std::int32_t areaOf(int x, int y) {
    if (x < Margin || y < Margin || x >= MapWidth - Margin || y >= MapHeight - Margin ||
        inLake(x, y))
        return 0;
    return 1 + x * 4 / MapWidth + 4 * (y * 4 / MapHeight);
}

void pointIn(int area, int& x, int& y) {
    x = ((area - 1) % 4) * MapWidth / 4 + MapWidth / 8;
    y = ((area - 1) / 4) * MapHeight / 4 + MapHeight / 8;
}

std::int32_t colourOf(int number) {
    const int red = 30 + 11 * number;
    const int green = 230 - 9 * number;
    const int blue = 60 + 7 * number;
    return red | green << 8 | blue << 16;
}

Bytes areasPicture(int width, int height, std::int32_t outside) {
    PngImage image{.width = width, .height = height, .colorType = PNG_COLOR_TYPE_RGB};
    for (int y = 0; y < height; ++y) {
        Bytes row;
        for (int x = 0; x < width; ++x)
            putColour(row, x < MapWidth && y < MapHeight ? areaOf(x, y) : outside);
        image.rows.push_back(row);
    }
    return fixtures::writePng(image);
}

std::map<std::string, Bytes> files() {
    using namespace model;
    std::map<std::string, Bytes> set;
    set[PictureFiles[PlainMapPicture]] = plain(PlainMapPicture, MapWidth, MapHeight);
    set[PictureFiles[BorderMapPicture]] = plain(BorderMapPicture, MapWidth, MapHeight);
    set[PictureFiles[AreasPicture]] = areasPicture(MapWidth, MapHeight, 0);
    for (int big = FirstBigIcon; big < FirstBigIcon + 6; ++big) {
        set[PictureFiles[big]] = icon(big, BigSide);
        set[PictureFiles[big + SmallIconOffset]] = icon(big + SmallIconOffset, SmallSide);
    }
    for (int button : {RiflePicture, BasketPicture, KeepingPicture})
        set[PictureFiles[button]] = plain(button, 60, 20);
    set[PictureFiles[BordersToolPicture]] = plain(BordersToolPicture, 16, 16);
    return set;
}

void writeAll(const std::filesystem::path& folder) {
    for (const auto& [name, bytes] : files()) {
        const std::filesystem::path path = folder / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
}

} // namespace media_set
