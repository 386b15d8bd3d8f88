// The game's built-in start data: the 19 founders, the Area capacities, the rating labels and the
// map's size. Free of every other header of the game, so the media generator draws its Areas
// around the very same founders and capacities that the game plays with.
#pragma once

#include <array>
#include <cstdint>

namespace model {

// Pictures 0 to 3 share this pixel grid; the main window shows it at 900 x 640.
constexpr int MapWidth = 900;
constexpr int MapHeight = 640;

constexpr int AreaCount = 16;

// One founder record, fields in the order the table stores them.
struct Founder {
    std::int32_t gene1, gene2, x, y, sex, age;
};

constexpr int FounderCount = 19;

// gene1, gene2, x, y, sex (0 female, 1 male), age; a new game appends them in this order.
inline constexpr std::array<Founder, FounderCount> founderTable = {{
    {1, 1, 501, 144, 1, 7},  {1, 1, 543, 146, 0, 12}, {1, 2, 548, 181, 0, 3},
    {2, 2, 238, 380, 0, 8},  {2, 2, 270, 362, 1, 5},  {2, 2, 288, 319, 1, 12},
    {2, 1, 293, 280, 0, 10}, {2, 2, 200, 283, 0, 1},  {2, 2, 239, 252, 0, 8},
    {1, 1, 746, 231, 0, 9},  {4, 4, 808, 214, 1, 2},  {1, 4, 770, 253, 0, 6},
    {1, 1, 654, 263, 0, 9},  {2, 2, 711, 292, 1, 11}, {4, 2, 510, 366, 1, 7},
    {4, 4, 534, 352, 0, 7},  {1, 4, 563, 372, 1, 9},  {1, 1, 526, 390, 0, 11},
    {1, 1, 588, 335, 0, 3},
}};

// Capacities of Areas 1..16, in Area order.
inline constexpr std::array<std::int32_t, AreaCount> areaCapacities = {
    10, 12, 4, 3, 11, 14, 15, 8, 6, 8, 6, 5, 10, 12, 12, 12};

// The rating labels from worst to best: index yearRating + 3.
inline constexpr std::array<const char*, 7> ratingTexts = {
    "sehr schlecht", "schlecht", "geht so", "normal", "brauchbar", "gut", "sehr gut"};

// Body colour (0x00BBGGRR) of the big icons 4..9: blue, red, yellow, green, orange, violet. The
// media generator paints the icons in them; charts show each gene pair in its icon's colour.
inline constexpr std::array<std::int32_t, 6> iconColours = {0xEE7640, 0x3022DA, 0x34E4FC,
                                                            0x42C03E, 0x1484FC, 0xDE4EAA};

} // namespace model
