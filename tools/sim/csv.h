// The CSV rows of selvo-sim: a year's figures as text.
#pragma once

#include "model/builtin_data.h"
#include "model/figures.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

using model::GenePairCount;
using model::YearFigures;

// The columns of a row: run to genepool, the gene pairs, ill, the Areas, then the deaths by
// cause and the keeper's interventions.
constexpr std::size_t CsvColumns = 8 + GenePairCount + 1 + model::AreaCount + 4;

// The header line, newline included.
const std::string& csvHeader();

// Appends one row, newline included.
void appendRow(std::string& out, std::int64_t run, std::uint32_t seed, std::int64_t year,
               const YearFigures& f);

} // namespace sim
