// The constant tables filled at start-up.
#include "model/tables.h"

namespace model {

std::array<std::int32_t, 18> AreaCapacity{};
std::array<std::string, 8> RatingLabels{};
std::array<std::int32_t, 6> GeneColours{};

void loadTables() {
    AreaCapacity.fill(0);
    for (int a = 1; a <= AreaCount; ++a)
        AreaCapacity[a] = areaCapacities[a - 1];

    RatingLabels.fill(std::string());
    for (std::size_t i = 0; i < ratingTexts.size(); ++i)
        RatingLabels[i] = ratingTexts[i];

    GeneColours.fill(0);
    GeneColours[1] = 0x0000FF; // red
    GeneColours[2] = 0x00FFFF; // yellow
    GeneColours[4] = 0xFF0000; // blue
}

} // namespace model
