// The constant start-up tables: founders, Area capacities, rating labels, gene colours.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace model {

// One record of the founder table, in the order the table stores it.
struct Founder {
    std::int32_t gene1, gene2, x, y, sex, age;
};

constexpr int FounderCount = 19;
extern const std::array<Founder, FounderCount> founderTable;

// Capacities of Areas 1..16 (indices 0 and 17 are 0). Filled by loadTables().
extern std::array<std::int32_t, 18> AreaCapacity;
// "sehr schlecht" .. "sehr gut" at 0..6, index 7 empty. Filled by loadTables().
extern std::array<std::string, 8> RatingLabels;
// Colour (0x00BBGGRR) of gene value 1, 2 and 4; the other indices 0. Filled by loadTables().
extern std::array<std::int32_t, 6> GeneColours;

// Fills the three tables above from the built-in data.
void loadTables();

constexpr int AreaCount = 16;
// The validity rule for a looked-up Area value.
constexpr bool isArea(std::int32_t v) {
    return v > 0 && v <= AreaCount;
}

} // namespace model

namespace model {

// Numbers of the twenty pictures loaded at start-up.
enum PictureNumber : int {
    PlainMapPicture = 0,  // map background
    BorderMapPicture = 1, // map background with the Area borders drawn in
    WorkMapPicture = 2,   // the frame the map drawing paints and the window shows
    AreasPicture = 3,     // Area n painted as red n, green 0, blue 0; never shown
    FirstBigIcon = 4,     // 4..9 big icons, blue red yellow green orange violet
    SmallIconOffset = 6,  // small icon = big icon + 6
    RiflePicture = 16,
    BasketPicture = 17,
    KeepingPicture = 18,
    BordersToolPicture = 19,
    PictureCount = 20,
};

// File of each picture, relative to the working folder ("Media/Karte.png" ...).
extern const std::array<const char*, PictureCount> PictureFiles;

} // namespace model
