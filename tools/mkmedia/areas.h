// The 16 Areas: grown over the terrain from their seeds so that borders follow ridges and the
// river, sized after the Areas' capacities.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/mkmedia/image.h"
#include "tools/mkmedia/layout.h"
#include "tools/mkmedia/terrain.h"

namespace mkmedia {

// Area number (0 = none, 1..16) per pixel, row-major over the map grid.
using AreaGrid = std::vector<std::uint8_t>;

// Grows the Areas. Lakes and bare summits stay 0; every Area is one 4-connected region and
// holds the 25 x 25 square around each founder it is given in the layout.
AreaGrid buildAreas(const Terrain& terrain);

// The areas picture: Area n painted as (n, 0, 0), no Area black.
Image areasPicture(const AreaGrid& areas);

// Pixel count of each Area (index 0: pixels of no Area).
std::array<int, AreaCount + 1> areaSizes(const AreaGrid& areas);

// A readable table: pixels per Area against capacity, and the Area each founder lands in.
std::string areaReport(const AreaGrid& areas);

} // namespace mkmedia
