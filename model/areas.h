// The Areas: the Area of a map position is the colour value of the areas picture there.
#pragma once

#include "model/builtin_data.h"

#include <cstdint>

namespace model {

// The colour value (0x00BBGGRR) of the areas picture at (x, y), exactly as read: 1..16 name an
// Area, anything else none (-1 outside the picture). 0 when the areas picture is missing.
// Opens and closes its own drawing, so no other drawing may be in use.
std::int32_t areaAt(std::int32_t x, std::int32_t y);

// The validity rule for a looked-up value: an Area is 1..16, nothing else.
constexpr bool isArea(std::int32_t v) {
    return v > 0 && v <= AreaCount;
}

} // namespace model
