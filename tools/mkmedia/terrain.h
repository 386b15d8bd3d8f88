// The mountain height field and its water: lakes and the river, built around the layout.
#pragma once

#include <cstdint>
#include <vector>

namespace mkmedia {

// Elevation bands, in height-field units (about 0.1 at the lowest lake, 1.2 on the highest peak).
constexpr double SnowLevel = 0.80;
// Above this the land is bare summit and belongs to no Area.
constexpr double SummitLevel = 0.90;

enum Water : std::uint8_t { Dry = 0, LakeWater = 1, RiverWater = 2 };

struct Terrain {
    int width = 0;
    int height = 0;
    std::vector<double> elevation;     // per pixel, row-major
    std::vector<std::uint8_t> water;   // Water per pixel
    std::vector<double> riverDistance; // pixels to the river's centre line
    std::vector<double> riverWidth;    // river width at the nearest stretch, in pixels
    std::vector<double> lakeDistance;  // pixels to the nearest lake pixel (0 on lakes)
    std::vector<double> moisture;      // -1..1 noise that varies forest and meadow tones

    double at(int x, int y) const { return elevation[static_cast<std::size_t>(y) * width + x]; }
};

// Builds the 900 x 640 terrain from the layout; the same every time.
Terrain buildTerrain();

} // namespace mkmedia
