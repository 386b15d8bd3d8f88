// The gene-pool score.
#include "model/genepool.h"

#include "model/animal.h"
#include "model/herd.h"

namespace model {

namespace {

constexpr std::int32_t missingPairCost = 5;
constexpr std::int32_t missingGeneCost = 100;

bool isCell(std::int32_t g) {
    return g >= 0 && g <= 4;
}

} // namespace

GenePool genePoolScore() {
    GenePool pool;
    auto& t = pool.table;

    for (auto it = herdBegin(); it != herdEnd(); ++it) {
        // Gene values outside 0..4 have no cell; the model never makes them.
        if (isCell(it->gene1) && isCell(it->gene2)) ++t[it->gene1][it->gene2].count;
    }

    std::int32_t& score = pool.score;
    std::size_t k = 0;
    for (std::int32_t i : Genes) {
        int found = 0;
        for (std::int32_t j : Genes) {
            GenePoolCell& c = t[i][j];
            pool.pairs[k++] = c.count;
            if (c.count > 0) {
                c.share += c.count;
                score += c.count;
                ++found;
            } else {
                c.share = -missingPairCost;
                score -= missingPairCost;
            }
        }
        if (found == 0) {
            t[i][0].share = -missingGeneCost;
            score -= missingGeneCost;
        }
    }
    for (std::int32_t j : Genes) {
        bool present = false;
        for (std::int32_t i : Genes)
            present = present || t[i][j].count > 0;
        if (!present) {
            t[0][j].share = -missingGeneCost;
            score -= missingGeneCost;
        }
    }
    return pool;
}

} // namespace model
