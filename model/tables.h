// The constant tables filled at start-up: Area capacities, rating labels and gene colours.
#pragma once

#include "model/builtin_data.h"

#include <array>
#include <cstdint>
#include <string>

namespace model {

// Capacities of Areas 1..16 (indices 0 and 17 are 0). Filled by loadTables().
extern std::array<std::int32_t, 18> AreaCapacity;
// "sehr schlecht" .. "sehr gut" at 0..6, index 7 empty. Filled by loadTables().
extern std::array<std::string, 8> RatingLabels;
// Colour (0x00BBGGRR) of gene value 1, 2 and 4; the other indices 0. Filled by loadTables().
extern std::array<std::int32_t, 6> GeneColours;

// Fills the three tables above from the built-in data.
void loadTables();

} // namespace model
