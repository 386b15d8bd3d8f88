// The current game's history: one point per year, from the new game (year 0) to the current year,
// with the values the status bar and the gene-pool cross table show. Kept in memory only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace map {

struct YearPoint {
    std::int32_t year = 0;
    std::int32_t animals = 0;
    std::int32_t births = 0;
    std::int32_t deaths = 0;
    std::int32_t genePool = 0;
    // Animals per ordered gene pair (first gene, second gene), in the order red-red, red-yellow,
    // red-blue, yellow-red, yellow-yellow, yellow-blue, blue-red, blue-yellow, blue-blue.
    std::array<std::int32_t, 9> pairs{};
};

// At most this many points are kept. When the history is full, every other point of the older
// years is dropped, so the kept years stay evenly spaced (every 2nd, then every 4th year ...);
// the first and the current year are always kept.
constexpr std::size_t HistoryCapacity = 1024;

// Oldest first; the last point is always the current year. Written by noteYear() and
// resetHistory() only.
extern std::vector<YearPoint> History;
// Distance in years between the kept points before the current year: 1 until the first
// thinning, then 2, 4 ...
extern std::int32_t HistoryStride;

// Takes the current year's point from the model state and GenePoolTable, which must be fresh
// (updateStatusBar calls it right after computing the status texts). A point of the same year
// is replaced, so a shot between two years shows at once; a year below the last one starts a
// new history (a new game).
void noteYear();

// Empty history, stride 1.
void resetHistory();

} // namespace map
