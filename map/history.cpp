// The current game's history of yearly points.
#include "map/history.h"

namespace map {

std::vector<model::YearFigures> History;
std::int32_t HistoryStride = 1;

namespace {

bool onStride(std::int32_t year) {
    return year % HistoryStride == 0;
}

// Doubles the stride and drops the points off it; the first point (the new game's year) and
// the current year stay.
void thin() {
    HistoryStride *= 2;
    std::vector<model::YearFigures> kept;
    kept.reserve(HistoryCapacity / 2 + 2);
    for (std::size_t i = 0; i < History.size(); ++i) {
        if (i == 0 || i + 1 == History.size() || onStride(History[i].year))
            kept.push_back(History[i]);
    }
    History.swap(kept);
}

} // namespace

void noteYear(const model::YearFigures& p) {
    if (!History.empty() && p.year < History.back().year) resetHistory();
    if (!History.empty() && History.back().year == p.year) {
        History.back() = p;
        return;
    }
    // The point of the year now past stays only if it lies on the stride.
    if (History.size() > 1 && !onStride(History.back().year)) History.pop_back();
    if (History.capacity() < HistoryCapacity) History.reserve(HistoryCapacity);
    History.push_back(p);
    if (History.size() >= HistoryCapacity) thin();
}

void resetHistory() {
    History.clear();
    HistoryStride = 1;
}

} // namespace map
