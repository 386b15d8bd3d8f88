// The small pictures: the three mode pictures for the push buttons and the mode indicator, and
// the tool-bar picture of the Area-borders toggle.
#pragma once

#include "tools/mkmedia/image.h"

namespace mkmedia {

// Mode pictures are RGBA, ModeWidth x ModeHeight, meant for a light grey button face.
constexpr int ModeWidth = 72;
constexpr int ModeHeight = 23;

Image drawRifle();   // shooting: a scoped hunting rifle, muzzle to the right
Image drawBasket();  // carrying: a woven basket with a handle
Image drawKeeping(); // keeping: a young sprig with two leaves

// 16 x 16 RGBA: a small map tile crossed by a dashed border line.
Image drawBordersTool();

} // namespace mkmedia
