// The status-bar texts.
#include "map/statistics.h"

#include "model/tables.h"

namespace map {

std::array<std::string, StatusFieldCount> statusTexts(const model::YearFigures& f) {
    const std::int32_t ratingIndex = f.rating + 3;
    const std::string rating =
        ratingIndex >= 0 && ratingIndex < static_cast<std::int32_t>(model::RatingLabels.size())
            ? model::RatingLabels[ratingIndex]
            : std::string();
    return {
        "Jahr " + std::to_string(f.year) + " war " + rating,
        "Anzahl Tiere: " + std::to_string(f.animals),
        "Geburten: " + std::to_string(f.births),
        "Gestorben: " + std::to_string(f.deaths),
        "Genpool: " + std::to_string(f.genePool),
    };
}

} // namespace map
