// The gene-pool score and the status-bar texts.
#include "map/statistics.h"

#include "model/animal.h"
#include "model/herd.h"
#include "model/tables.h"

#include <string>

namespace map {

std::int32_t GenePoolTable[5][5][2] = {};

namespace {

constexpr std::int32_t missingPairCost = 5;
constexpr std::int32_t missingGeneCost = 100;

bool isCell(std::int32_t g) {
    return g >= 0 && g <= 4;
}

} // namespace

std::int32_t genePoolScore() {
    resetStatistics();
    auto& t = GenePoolTable;

    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        // Gene values outside 0..4 have no cell; the model never makes them.
        if (isCell(it->gene1) && isCell(it->gene2)) ++t[it->gene1][it->gene2][0];
    }

    std::int32_t score = 0;
    for (std::int32_t i : model::Genes) {
        int found = 0;
        for (std::int32_t j : model::Genes) {
            if (t[i][j][0] > 0) {
                t[i][j][1] += t[i][j][0];
                score += t[i][j][0];
                ++found;
            } else {
                t[i][j][1] = -missingPairCost;
                score -= missingPairCost;
            }
        }
        if (found == 0) {
            t[i][0][1] = -missingGeneCost;
            score -= missingGeneCost;
        }
    }
    for (std::int32_t j : model::Genes) {
        bool present = false;
        for (std::int32_t i : model::Genes)
            present = present || t[i][j][0] > 0;
        if (!present) {
            t[0][j][1] = -missingGeneCost;
            score -= missingGeneCost;
        }
    }
    return score;
}

std::array<std::int32_t, 9> genePairCounts() {
    std::array<std::int32_t, 9> counts{};
    std::size_t k = 0;
    for (std::int32_t first : model::Genes)
        for (std::int32_t second : model::Genes)
            counts[k++] = GenePoolTable[first][second][0];
    return counts;
}

void resetStatistics() {
    for (auto& row : GenePoolTable)
        for (auto& cell : row)
            cell[0] = cell[1] = 0;
}

std::array<std::string, model::StatusFieldCount> statusTexts() {
    const std::int32_t ratingIndex = model::yearRating + 3;
    const std::string rating =
        ratingIndex >= 0 && ratingIndex < static_cast<std::int32_t>(model::RatingLabels.size())
            ? model::RatingLabels[ratingIndex]
            : std::string();
    return {
        "Jahr " + std::to_string(model::year) + " war " + rating,
        "Anzahl Tiere: " + std::to_string(model::herdCount()),
        "Geburten: " + std::to_string(model::birthsThisYear),
        "Gestorben: " + std::to_string(model::deathsThisYear),
        "Genpool: " + std::to_string(genePoolScore()),
    };
}

} // namespace map
