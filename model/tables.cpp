// The built-in start-up data: founders, Area capacities, rating labels, gene colours, pictures.
#include "model/tables.h"

namespace model {

// gene1, gene2, x, y, sex, age
const std::array<Founder, FounderCount> founderTable = {{
    {1, 1, 501, 144, 1, 7},  {1, 1, 543, 146, 0, 12}, {1, 2, 548, 181, 0, 3},
    {2, 2, 238, 380, 0, 8},  {2, 2, 270, 362, 1, 5},  {2, 2, 288, 319, 1, 12},
    {2, 1, 293, 280, 0, 10}, {2, 2, 200, 283, 0, 1},  {2, 2, 239, 252, 0, 8},
    {1, 1, 746, 231, 0, 9},  {4, 4, 808, 214, 1, 2},  {1, 4, 770, 253, 0, 6},
    {1, 1, 654, 263, 0, 9},  {2, 2, 711, 292, 1, 11}, {4, 2, 510, 366, 1, 7},
    {4, 4, 534, 352, 0, 7},  {1, 4, 563, 372, 1, 9},  {1, 1, 526, 390, 0, 11},
    {1, 1, 588, 335, 0, 3},
}};

namespace {

constexpr std::array<std::int32_t, AreaCount> capacities = {10, 12, 4, 3, 11, 14, 15, 8,
                                                            6,  8,  6, 5, 10, 12, 12, 12};
constexpr std::array<const char*, 7> ratingTexts = {
    "sehr schlecht", "schlecht", "geht so", "normal", "brauchbar", "gut", "sehr gut"};

} // namespace

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
        AreaCapacity[a] = capacities[a - 1];

    RatingLabels.fill(std::string());
    for (std::size_t i = 0; i < ratingTexts.size(); ++i)
        RatingLabels[i] = ratingTexts[i];

    GeneColours.fill(0);
    GeneColours[1] = 0x0000FF; // red
    GeneColours[2] = 0x00FFFF; // yellow
    GeneColours[4] = 0xFF0000; // blue
}

} // namespace model
