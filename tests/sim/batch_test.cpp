// Batches on the real areas picture: repeatable output, the rows' meaning, extinction, median.
#include "tools/sim/batch.h"
#include "tools/sim/csv.h"
#include "tools/sim/summary.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>
#include <tuple>
#include <vector>

namespace {

using Row = std::vector<long long>;

// Column positions, as the header names them.
enum Col { Run, Seed, Year, Rating, Animals, Births, Deaths, Genepool, FirstPair };
constexpr int Ill = FirstPair + sim::GenePairCount, FirstArea = Ill + 1;

// The CSV of a batch on the committed areas picture.
std::string csv(std::uint32_t seed, std::int64_t runs, std::int64_t years, bool restart,
                sim::BatchTotals* totals = nullptr) {
    static const bool prepared = [] {
        std::string error;
        return sim::prepareModel("Media", error);
    }();
    EXPECT_TRUE(prepared);
    sim::Options o;
    std::tie(o.seed, o.runs, o.years, o.restart) = std::tie(seed, runs, years, restart);
    std::string text;
    sim::BatchTotals t;
    const auto sink = [&](std::string_view chunk) { return text += chunk, true; };
    EXPECT_EQ(sim::runBatch(o, sink, totals ? *totals : t, false), sim::BatchEnd::Done);
    return text;
}

// Data rows of a CSV, header checked and dropped.
std::vector<Row> rows(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line + "\n", sim::csvHeader());
    std::vector<Row> out;
    while (std::getline(in, line)) {
        Row& r = out.emplace_back();
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');)
            r.push_back(std::stoll(field));
        EXPECT_EQ(r.size(), std::size_t(FirstArea + model::AreaCount)) << line;
    }
    return out;
}

// Run k plays the game of seed + k, wrapping at 2^32. Restarting keeps every game at 41 rows,
// whichever of them die out.
TEST(SimBatch, SameSeedSameBytesOtherSeedOtherGame) {
    const std::string text = csv(4294967295u, 2, 40, true);
    EXPECT_EQ(text, csv(4294967295u, 2, 40, true));
    const std::vector<Row> last = rows(text), zero = rows(csv(0, 2, 40, true));
    ASSERT_EQ(last.size(), 82u);
    ASSERT_EQ(zero.size(), 82u);
    // The 41 rows of a run from column `from` on.
    auto game = [](const std::vector<Row>& r, std::size_t run, int from) {
        std::vector<Row> g;
        for (std::size_t i = run * 41; i < run * 41 + 41; ++i)
            g.emplace_back(r[i].begin() + from, r[i].end());
        return g;
    };
    EXPECT_TRUE(game(last, 1, Seed) == game(zero, 0, Seed)) << "run 1 of seed 2^32-1 is seed 0";
    EXPECT_TRUE(game(last, 0, Year) != game(zero, 0, Year)) << "seeds 2^32-1 and 0 play alike";
}

TEST(SimBatch, SeedOneStartsWithTheFounders) {
    const std::vector<Row> r = rows(csv(1, 1, 3, false));
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ((Row{r[0][Seed], r[0][Year], r[0][Animals], r[0][Births], r[0][Deaths]}),
              (Row{1, 0, 19, 0, 0}));
    EXPECT_EQ(r[0][Genepool], 9);
    for (int y = 1; y <= 3; ++y) {
        EXPECT_EQ(r[y][Year], y);
        EXPECT_EQ(r[y][Animals], r[y - 1][Animals] + r[y][Births] - r[y][Deaths]);
    }
}

// Founders all stand in an Area, and a later `area` is either a looked-up Area or the mother's,
// so the Area columns count every animal in every row, not only in year 0. The gene-pair
// columns count every animal too: the model only makes genes 1, 2 and 4.
TEST(SimBatch, PairAndAreaColumnsCountEveryAnimal) {
    for (const Row& r : rows(csv(2024, 5, 120, true))) {
        auto sum = [&](int first, int n) {
            return std::accumulate(r.begin() + first, r.begin() + first + n, 0LL);
        };
        EXPECT_EQ(sum(FirstArea, model::AreaCount), r[Animals]) << "year " << r[Year];
        EXPECT_EQ(sum(FirstPair, sim::GenePairCount), r[Animals]) << "year " << r[Year];
        EXPECT_LE(r[Ill], r[Animals]);
        EXPECT_LE(std::abs(r[Rating]), 3);
    }
}

// A game that dies out stops at its first year without animals; restarted, the same rows lead
// on into a new game from the founders, and the totals keep the year it died out.
TEST(SimBatch, ExtinctRunEndsAtItsLastYearUnlessRestarted) {
    constexpr std::int64_t years = 200;
    std::uint32_t seed = 1;
    std::vector<Row> dying = rows(csv(seed, 1, years, false));
    while (dying.back()[Year] == years && seed < 400)
        dying = rows(csv(++seed, 1, years, false));
    ASSERT_LT(dying.back()[Year], years) << "no game of the first 400 seeds died out";
    const long long last = dying.back()[Year];
    ASSERT_EQ(dying.size(), std::size_t(last + 1));
    for (std::size_t i = 0; i < dying.size(); ++i)
        EXPECT_EQ(dying[i][Animals] == 0, i == dying.size() - 1) << "year " << i;

    sim::BatchTotals totals;
    const std::vector<Row> restarted = rows(csv(seed, 1, years, true, &totals));
    ASSERT_EQ(restarted.size(), std::size_t(years + 1));
    EXPECT_TRUE(std::equal(dying.begin(), dying.end(), restarted.begin()));
    const Row& next = restarted[dying.size()];
    EXPECT_EQ(next[Year], last + 1);
    EXPECT_EQ(next[Animals], 19 + next[Births] - next[Deaths]) << "the founders' first year";
    EXPECT_EQ(restarted.back()[Year], years);
    EXPECT_EQ(totals.extinctionYears, std::vector<std::int32_t>{std::int32_t(last)});
}

TEST(SimSummary, MedianExtinctionYear) {
    EXPECT_EQ(sim::median({}), 0);
    EXPECT_EQ(sim::median({9, 1, 5}), 5);
    EXPECT_EQ(sim::median({40, 10, 30, 20}), 25);
}

} // namespace
