// The application icon for the desktop's menus: a round mountain meadow with two animals.
#pragma once

#include <array>

#include "tools/mkmedia/image.h"

namespace mkmedia {

// The hicolor sizes the icon is drawn at, in pixels.
constexpr std::array<int, 4> AppIconSizes = {48, 64, 128, 256};

// RGBA icon, `size` x `size`, transparent outside the round badge.
Image drawAppIcon(int size);

} // namespace mkmedia
