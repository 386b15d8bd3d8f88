// The animal icons: a horned mountain animal seen from the side, one silhouette, six colours.
#pragma once

#include <array>

#include "tools/mkmedia/image.h"

namespace mkmedia {

// Body colours in picture order: blue, red, yellow, green, orange, violet.
extern const std::array<Rgb, 6> IconBodyColours;

constexpr int BigIconSize = 24;
constexpr int SmallIconSize = 14;

// RGBA icon, `size` x `size` (24 or 14), transparent around a dark-outlined animal.
Image drawAnimalIcon(int size, Rgb body);

} // namespace mkmedia
