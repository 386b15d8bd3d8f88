// Display fields derived from an animal's genes and age.
#include "model/animal.h"

namespace model {

std::int32_t iconForGenes(std::int32_t gene1, std::int32_t gene2) {
    // Rows and columns in the order red (1), yellow (2), blue (4).
    static constexpr std::int32_t icons[3][3] = {
        {5, 8, 9}, // red with red, yellow, blue: red, orange, violet
        {8, 6, 7}, // yellow: orange, yellow, green
        {9, 7, 4}, // blue: violet, green, blue
    };
    auto slot = [](std::int32_t gene) {
        switch (gene) {
        case 1:
            return 0;
        case 2:
            return 1;
        case 4:
            return 2;
        default:
            return -1;
        }
    };
    const int a = slot(gene1);
    const int b = slot(gene2);
    if (a < 0 || b < 0) return 0;
    return icons[a][b];
}

std::int32_t sizeClassForAge(std::int32_t age) {
    return age < 6 ? 1 : 2;
}

} // namespace model
