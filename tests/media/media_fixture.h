// Shared access to the committed pictures for the media tests (run from the project root).
#pragma once

#include <string>
#include <vector>

#include "ui/picture.h"

namespace media_fixture {

constexpr int MapW = 900, MapH = 640;

// The file at `path` decoded by the game's own loader; fails the calling test when it cannot.
ui::Picture decodeFile(const std::string& path);

// The areas picture from Media/ as one value per pixel: n for a pixel (n, 0, 0), -1 for any
// pixel with green or blue. Loaded once.
const std::vector<int>& areaKey();

inline int keyAt(int x, int y) {
    return areaKey()[static_cast<std::size_t>(y) * MapW + x];
}

} // namespace media_fixture
