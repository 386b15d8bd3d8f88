// The CSV rows of selvo-sim: a year's figures as text.
#pragma once

#include "model/figures.h"

#include <cstdint>
#include <string>

namespace sim {

using model::GenePairCount;
using model::YearFigures;

// The header line, newline included.
const std::string& csvHeader();

// Appends one row, newline included.
void appendRow(std::string& out, std::int64_t run, std::uint32_t seed, std::int64_t year,
               const YearFigures& f);

} // namespace sim
