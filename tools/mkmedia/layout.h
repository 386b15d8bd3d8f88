// The designed layout of the map: founders, Area capacities, where each Area grows from, and
// the hand-placed landmarks (massifs, lakes, the river) the terrain is built around.
#pragma once

#include <array>
#include <vector>

#include "model/builtin_data.h"
#include "tools/mkmedia/image.h"

namespace mkmedia {

// The map's size, the founders and the capacities are the game's own.
using model::AreaCount;
using model::Founder;
using model::MapHeight;
using model::MapWidth;
inline constexpr const auto& Founders = model::founderTable;

// Capacity of Area 1..16.
constexpr int capacity(int area) {
    return model::areaCapacities[static_cast<std::size_t>(area - 1)];
}

// Founders must have this many pixels of their own Area on every side (Chebyshev distance).
constexpr int FounderMargin = 12;

// Gene colour bits, as the game codes them.
constexpr int Red = 1, Yellow = 2, Blue = 4;

// Where Area n starts growing: a few points, plus the founders it is meant to hold (1-based
// founder numbers). The founders' squares are claimed for the Area before anything grows.
struct AreaSeed {
    std::vector<Point> points;
    std::vector<int> founders;
};
// Index 0 unused.
extern const std::array<AreaSeed, AreaCount + 1> AreaSeeds;

// The seed points of Area `area` followed by the positions of its founders.
std::vector<Point> seedPoints(int area);

// A high mountain block: a smooth bump of the given radius and height.
struct Massif {
    Point centre;
    double radius;
    double height;
};
extern const std::vector<Massif> Massifs;

// A lake: an ellipse, roughened by noise at its shore.
struct Lake {
    Point centre;
    double rx, ry;
};
extern const std::vector<Lake> Lakes;

// The river's course from its spring to the bottom edge, through the second lake.
extern const std::vector<Point> RiverCourse;

} // namespace mkmedia
