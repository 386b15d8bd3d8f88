// The gene-pool score and its table. (The status bar and the information box are pinned by the
// golden session.)
#include "map/statistics.h"
#include "model/herd.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

// `n` animals per gene pair: {n, gene1, gene2}.
void herdOf(const std::vector<std::array<int, 3>>& pairs) {
    model::herdClear();
    for (auto [n, g1, g2] : pairs)
        for (int i = 0; i < n; ++i) {
            model::Animal& a = model::herdAppend();
            a.gene1 = g1;
            a.gene2 = g2;
        }
}

// Every cell holding a count or a contribution: "first,second:count/contribution".
std::string tableText() {
    std::string text;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            if (const auto& c = map::GenePoolTable[i][j]; c[0] != 0 || c[1] != 0)
                text += std::to_string(i) + "," + std::to_string(j) + ":" + std::to_string(c[0]) +
                        "/" + std::to_string(c[1]) + " ";
    return text;
}

// Every present pair of the nine adds its count, every missing one costs 5, a gene missing from
// a whole slot 100; the table is rebuilt from nothing each time.
TEST(GenePool, ScoreAndTable) {
    const std::string empty = "0,1:0/-100 0,2:0/-100 0,4:0/-100 1,0:0/-100 1,1:0/-5 1,2:0/-5 "
                              "1,4:0/-5 2,0:0/-100 2,1:0/-5 2,2:0/-5 2,4:0/-5 4,0:0/-100 "
                              "4,1:0/-5 4,2:0/-5 4,4:0/-5 ";
    const struct {
        std::vector<std::array<int, 3>> herd;
        int score;
        std::string table;
    } pools[] = {
        {{{6, 1, 1}, {1, 1, 2}, {2, 1, 4}, {1, 2, 1}, {6, 2, 2}, {1, 4, 2}, {2, 4, 4}},
         9,
         "1,1:6/6 1,2:1/1 1,4:2/2 2,1:1/1 2,2:6/6 2,4:0/-5 4,1:0/-5 4,2:1/1 4,4:2/2 "},
        {{}, -645, empty},
        {{{30, 1, 1}},
         30 - 8 * 5 - 4 * 100,
         "0,2:0/-100 0,4:0/-100 1,1:30/30 1,2:0/-5 1,4:0/-5 2,0:0/-100 2,1:0/-5 2,2:0/-5 "
         "2,4:0/-5 4,0:0/-100 4,1:0/-5 4,2:0/-5 4,4:0/-5 "},
        // Blue only as first gene: still missing from the second slot.
        {{{3, 4, 1}},
         3 - 8 * 5 - 4 * 100,
         "0,2:0/-100 0,4:0/-100 1,0:0/-100 1,1:0/-5 1,2:0/-5 1,4:0/-5 2,0:0/-100 2,1:0/-5 "
         "2,2:0/-5 2,4:0/-5 4,1:3/3 4,2:0/-5 4,4:0/-5 "},
        // Gene 0 is counted but adds nothing; a gene beyond 4 has no cell.
        {{{2, 0, 1}, {1, 1, 5}}, -645, "0,1:2/-100" + empty.substr(10)},
    };
    for (const auto& p : pools) {
        herdOf(p.herd);
        EXPECT_EQ(map::genePoolScore(), p.score) << p.table;
        EXPECT_EQ(tableText(), p.table);
    }
    map::resetStatistics();
    EXPECT_EQ(tableText(), "");
}

} // namespace
