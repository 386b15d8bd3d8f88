// Yearly statistics: the gene-pool score with its per-pair table, and the status-bar texts.
#pragma once

#include "model/numbers.h"

#include <array>
#include <cstdint>
#include <string>

namespace map {

// [first gene 0..4][second gene 0..4][plane]: plane 0 counts the animals with that ordered gene
// pair, plane 1 holds what the cell adds to the score. Rebuilt by every genePoolScore().
extern std::int32_t GenePoolTable[5][5][2];

// Fills GenePoolTable from the Herd and returns the score: every present pair of the nine adds
// its count, every missing one costs 5, a gene missing from a whole slot costs 100.
std::int32_t genePoolScore();

// The animals of each ordered gene pair as the last genePoolScore() counted them: red-red,
// red-yellow, red-blue, yellow-red, ... blue-blue.
std::array<std::int32_t, 9> genePairCounts();

// Back to the start: every cell of GenePoolTable 0.
void resetStatistics();

// The five status-bar texts: year and rating, animals, births, deaths, gene pool. Computes the
// score, so it also refreshes GenePoolTable.
std::array<std::string, model::StatusFieldCount> statusTexts();

} // namespace map
