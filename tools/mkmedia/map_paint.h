// Paints the plain map picture from the terrain: ground cover, water and hill shading.
#pragma once

#include "tools/mkmedia/image.h"
#include "tools/mkmedia/terrain.h"

namespace mkmedia {

// 3-channel picture of the terrain's size. Colours stay moderately saturated so that the six
// animal colours stand out everywhere on it.
Image paintMap(const Terrain& terrain);

} // namespace mkmedia
