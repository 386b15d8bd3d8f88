// The map of Areas and lookups in it.
#include "model/areas.h"

#include <utility>

namespace model {

namespace {
AreaMap areas;
}

void setAreaMap(AreaMap map) {
    const bool fits = map.width > 0 && map.height > 0 &&
                      map.values.size() == std::size_t(map.width) * std::size_t(map.height);
    areas = fits ? std::move(map) : AreaMap{};
}

const AreaMap& areaMap() {
    return areas;
}

bool hasAreaMap() {
    return !areas.values.empty();
}

std::int32_t areaValue(std::int32_t x, std::int32_t y) {
    if (x < 0 || y < 0 || x >= areas.width || y >= areas.height) return -1;
    return areas.values[std::size_t(y) * std::size_t(areas.width) + std::size_t(x)];
}

std::int32_t areaAt(std::int32_t x, std::int32_t y) {
    return hasAreaMap() ? areaValue(x, y) : 0;
}

} // namespace model
