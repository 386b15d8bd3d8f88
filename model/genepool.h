// The gene-pool score of the Herd with the table it is summed from, as one value.
#pragma once

#include <array>
#include <cstdint>

namespace model {

// Ordered gene pairs (first gene, second gene): red-red, red-yellow, red-blue, yellow-red, ...
// blue-blue, the genes in the order of Genes.
constexpr int GenePairCount = 9;

// One cell of the cross table: the animals with that ordered gene pair, and what the cell adds
// to the score.
struct GenePoolCell {
    std::int32_t count = 0;
    std::int32_t share = 0;
};

// [first gene 0..4][second gene 0..4], indexed by gene value (1 red, 2 yellow, 4 blue). Row 0
// and column 0 carry only the cost of a gene missing from the second or first slot.
using GenePoolTable = std::array<std::array<GenePoolCell, 5>, 5>;

struct GenePool {
    GenePoolTable table{};
    std::int32_t score = 0; // the sum of every cell's share
    // Animals per ordered gene pair in the order above.
    std::array<std::int32_t, GenePairCount> pairs{};
};

// Counts the Herd: every present pair of the nine adds its count, every missing one costs 5, a
// gene missing from a whole slot costs 100.
GenePool genePoolScore();

} // namespace model
