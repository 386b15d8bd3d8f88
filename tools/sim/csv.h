// The CSV rows of selvo-sim: what one year of the model is reduced to, and its text.
#pragma once

#include "model/tables.h"

#include <array>
#include <cstdint>
#include <string>

namespace sim {

// Ordered gene pairs (first gene, second gene) in column order rr, ry, rb, yr, ... bb.
constexpr int GenePairCount = 9;

// The figures of one row, taken from the model state as it stands.
struct YearFigures {
    std::int32_t rating = 0;
    std::int32_t animals = 0;
    std::int32_t births = 0;
    std::int32_t deaths = 0;
    std::int32_t genepool = 0;
    std::array<std::int32_t, GenePairCount> pairs{};
    std::int32_t ill = 0;                               // animals with illnessLevel > 0
    std::array<std::int32_t, model::AreaCount> areas{}; // Area 1 at index 0
};

// Reads the Herd and the model state. Calls map::genePoolScore(), so GenePoolTable is rebuilt.
YearFigures takeFigures();

// The header line, newline included.
const std::string& csvHeader();

// Appends one row, newline included.
void appendRow(std::string& out, std::int64_t run, std::uint32_t seed, std::int64_t year,
               const YearFigures& f);

} // namespace sim
