// The current game's history: one point per year, from the new game (year 0) to the current year,
// with the values the status bar and the gene-pool cross table show. Kept in memory only.
#pragma once

#include "model/figures.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace map {

// At most this many points are kept. When the history is full, every other point of the older
// years is dropped, so the kept years stay evenly spaced (every 2nd, then every 4th year ...);
// the first and the current year are always kept.
constexpr std::size_t HistoryCapacity = 1024;

// Oldest first; the last point is always the current year. Written by noteYear() and
// resetHistory() only.
extern std::vector<model::YearFigures> History;
// Distance in years between the kept points before the current year: 1 until the first
// thinning, then 2, 4 ...
extern std::int32_t HistoryStride;

// Notes the figures the status bar shows as the point of their year. A point of the same year
// is replaced, so a shot between two years shows at once; a year below the last one starts a
// new history (a new game).
void noteYear(const model::YearFigures& point);

// Empty history, stride 1.
void resetHistory();

} // namespace map
