// The Animal record and the two rules that derive display fields from genes and age.
#pragma once

#include <array>
#include <cstdint>

namespace model {

// One living animal: twelve signed 32-bit fields, in this order.
struct Animal {
    std::int32_t gene1 = 0;       // colour bit: 1 red, 2 yellow, 4 blue
    std::int32_t gene2 = 0;       // same coding
    std::int32_t iconPicture = 0; // big icon picture 4..9; the small one is +6
    std::int32_t sex = 0;         // 0 female, 1 male
    std::int32_t x = 0;           // map position in pixels
    std::int32_t y = 0;
    std::int32_t sizeClass = 0;    // 1 young, 2 grown
    std::int32_t area = 0;         // Area 1..16 (a founder off every Area keeps its pixel value)
    std::int32_t age = 0;          // whole years
    std::int32_t constitution = 0; // 1..100 between yearly steps
    std::int32_t illness = 0;      // colour bits of the illness carried, 0 none
    std::int32_t illnessLevel = 0; // strength of the illness, 0 healthy
};

// The three genes in the order every table, list and chart shows them: red, yellow, blue.
inline constexpr std::array<std::int32_t, 3> Genes = {1, 2, 4};

// Big-icon picture of a gene pair (symmetric); 0 for any pair that is not two of 1, 2, 4.
std::int32_t iconForGenes(std::int32_t gene1, std::int32_t gene2);

// 1 below age 6, else 2.
std::int32_t sizeClassForAge(std::int32_t age);

// Half the edge of the square an animal occupies on the map: 7 young, 12 grown.
constexpr std::int32_t footprintHalf(std::int32_t sizeClass) {
    return (sizeClass * 10 + 4) / 2;
}

} // namespace model
