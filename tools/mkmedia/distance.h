// Exact Euclidean distance transform of a pixel mask.
#pragma once

#include <cstdint>
#include <vector>

namespace mkmedia {

// For every pixel of a width x height grid, the distance in pixels to the nearest pixel whose
// `mask` entry is non-zero (0 on those pixels; a very large value when the mask is empty).
std::vector<double> distanceToMask(const std::vector<std::uint8_t>& mask, int width, int height);

} // namespace mkmedia
