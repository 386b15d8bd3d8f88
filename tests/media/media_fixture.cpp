// Loading the committed pictures once for all media tests.
#include "media_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "model/tables.h"

namespace media_fixture {

ui::Picture decodeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    ui::Picture picture;
    EXPECT_TRUE(ui::decodePicture(bytes.data(), bytes.size(), picture)) << path;
    return picture;
}

const std::vector<int>& areaKey() {
    static const std::vector<int> key = [] {
        const ui::Picture p = decodeFile(model::PictureFiles[model::AreasPicture]);
        std::vector<int> values;
        if (p.width != MapW || p.height != MapH || p.channels != 3) return values;
        values.resize(static_cast<std::size_t>(MapW) * MapH);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::uint8_t* px = &p.pixels[i * 3]; // B, G, R
            values[i] = px[0] == 0 && px[1] == 0 ? px[2] : -1;
        }
        return values;
    }();
    return key;
}

} // namespace media_fixture
