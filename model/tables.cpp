// The constant tables filled at start-up, and the files of the twenty pictures.
#include "model/tables.h"

namespace model {

std::array<std::int32_t, 18> AreaCapacity{};
std::array<std::string, 8> RatingLabels{};
std::array<std::int32_t, 6> GeneColours{};

const std::array<const char*, PictureCount> PictureFiles = {
    "Media/Karte.png",
    "Media/KarteBorders.png",
    "Media/Karte.png",
    "Media/KarteGebiete.png",
    "Media/Selvo blau.png",
    "Media/Selvo rot.png",
    "Media/Selvo gelb.png",
    "Media/Selvo gruen.png",
    "Media/Selvo orange.png",
    "Media/Selvo violett.png",
    "Media/Selvo blau kl.png",
    "Media/Selvo rot kl.png",
    "Media/Selvo gelb kl.png",
    "Media/Selvo gruen kl.png",
    "Media/Selvo orange kl.png",
    "Media/Selvo violett kl.png",
    "Media/Gewehr.png",
    "Media/Korb.png",
    "Media/Hege.png",
    "Media/TB_Gebiete.png",
};

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
