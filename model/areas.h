// The Areas: the Area of a map position is the value of the areas picture there, which the model
// holds as a plain map of numbers.
#pragma once

#include "model/builtin_data.h"

#include <cstdint>
#include <vector>

namespace model {

// The areas picture's pixels as 0x00BBGGRR values, rows top to bottom. Empty (0 x 0) when the
// picture is missing or unreadable: then no Area exists, the year step only counts the year and
// nothing can be released.
struct AreaMap {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::int32_t> values; // width * height
};

// ---- Model state (set once at start-up by the game and by the simulator) -------------------
// The map every lookup reads. setAreaMap refuses (and empties it) when the values do not fill
// width x height.
void setAreaMap(AreaMap map);
const AreaMap& areaMap();
bool hasAreaMap();

// The value at (x, y), exactly as read: 1..16 name an Area, anything else none; -1 outside the
// map, and also with no map at all.
std::int32_t areaValue(std::int32_t x, std::int32_t y);

// As areaValue, but 0 when there is no map (a new game's founders then belong to no Area).
std::int32_t areaAt(std::int32_t x, std::int32_t y);

// The validity rule for a looked-up value: an Area is 1..16, nothing else.
constexpr bool isArea(std::int32_t v) {
    return v > 0 && v <= AreaCount;
}

} // namespace model
