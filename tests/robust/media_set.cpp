// The drawn test set of the game's twenty pictures.
#include "tests/robust/media_set.h"

#include "model/tables.h"

#include <fstream>
#include <utility>

namespace media_set {

namespace {

using fixtures::Bytes;

Bytes png(int width, int height, bool alpha, const std::function<std::int32_t(int, int)>& at) {
    fixtures::PngImage image{.width = width,
                             .height = height,
                             .colorType = alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB};
    for (int y = 0; y < height; ++y) {
        Bytes row;
        for (int x = 0; x < width; ++x) {
            const std::int32_t bbggrr = at(x, y);
            row.insert(row.end(), {std::uint8_t(bbggrr), std::uint8_t(bbggrr >> 8),
                                   std::uint8_t(bbggrr >> 16)});
            if (alpha) row.push_back(255);
        }
        image.rows.push_back(row);
    }
    return fixtures::writePng(image);
}

// The maps; icons as large as an animal's footprint (25 grown, 15 young); the mode pictures and
// the tool bar's 16-pixel picture.
std::pair<int, int> sizeOf(int n) {
    using namespace model;
    if (n < FirstBigIcon) return {MapWidth, MapHeight};
    if (n < FirstBigIcon + SmallIconOffset) return {25, 25};
    if (n < RiflePicture) return {15, 15};
    return n == BordersToolPicture ? std::pair{16, 16} : std::pair{60, 20};
}

} // namespace

std::int32_t areaOf(int x, int y) {
    const bool lake = x >= 400 && x < 500 && y >= 520 && y < 600;
    if (x < 20 || y < 20 || x >= MapWidth - 20 || y >= MapHeight - 20 || lake) return 0;
    return 1 + x * 4 / MapWidth + 4 * (y * 4 / MapHeight);
}

std::int32_t colourOf(int number) {
    return (30 + 11 * number) | (230 - 9 * number) << 8 | (60 + 7 * number) << 16;
}

Bytes areasPicture(int width, int height, const std::function<std::int32_t(int, int)>& area) {
    return png(width, height, false, area);
}

std::map<std::string, Bytes> files() {
    std::map<std::string, Bytes> set;
    for (int n = 0; n < model::PictureCount; ++n) {
        const auto [width, height] = sizeOf(n);
        const bool icon = n >= model::FirstBigIcon && n < model::RiflePicture;
        if (n == model::AreasPicture)
            set[model::PictureFiles[n]] = areasPicture(MapWidth, MapHeight, areaOf);
        else if (!set.contains(model::PictureFiles[n])) // the work map shares the plain map's file
            set[model::PictureFiles[n]] =
                png(width, height, icon, [n](int, int) { return colourOf(n); });
    }
    return set;
}

void writeAll(const std::filesystem::path& folder) {
    for (const auto& [name, bytes] : files()) {
        std::filesystem::create_directories((folder / name).parent_path());
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
}

} // namespace media_set
