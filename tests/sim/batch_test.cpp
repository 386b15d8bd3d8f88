// Batches on the real areas picture: repeatable output, the rows' meaning, extinction, median.
#include "tools/sim/batch.h"
#include "tools/sim/byyear.h"
#include "tools/sim/csv.h"
#include "tools/sim/summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>
#include <tuple>
#include <vector>

namespace {

using Row = std::vector<long long>;

// Column positions, as the header names them.
enum Col { Run, Seed, Year, Rating, Animals, Births, Deaths, Genepool, FirstPair };
constexpr int Ill = FirstPair + sim::GenePairCount, FirstArea = Ill + 1;

// A batch of `o` on the committed areas picture: its CSV, and its by-year figures when
// o.byYear is set.
std::string batch(const sim::Options& o, sim::BatchTotals* totals = nullptr,
                  std::vector<sim::YearStats>* stats = nullptr) {
    static const bool prepared = [] {
        std::string error;
        return sim::prepareModel("Media", error);
    }();
    EXPECT_TRUE(prepared);
    std::string text;
    sim::BatchTotals t;
    sim::YearTable table;
    const auto sink = [&](std::string_view chunk) { return text += chunk, true; };
    EXPECT_EQ(sim::runBatch(o, sink, totals ? *totals : t, table, false), sim::BatchEnd::Done);
    if (stats) *stats = sim::yearStats(table);
    return text;
}

std::string csv(std::uint32_t seed, std::int64_t runs, std::int64_t years, bool restart,
                sim::BatchTotals* totals = nullptr) {
    sim::Options o;
    std::tie(o.seed, o.runs, o.years, o.restart) = std::tie(seed, runs, years, restart);
    o.jobs = 1;
    return batch(o, totals);
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

// Games played in 2 or 3 processes give the bytes of one process: CSV rows in run order, and
// the by-year table, with and without --restart and with both policies.
TEST(SimBatch, JobsDoNotChangeTheOutput) {
    for (const bool restart : {false, true}) {
        sim::Options o;
        std::tie(o.seed, o.runs, o.years, o.restart, o.byYear) =
            std::make_tuple(31u, 7, 90, restart, "by-year.csv");
        o.policies = {sim::Policy::Spread, sim::Policy::Cull};
        std::vector<sim::YearStats> stats;
        std::string one, oneByYear;
        for (const std::int64_t jobs : {1, 2, 3}) {
            o.jobs = jobs;
            const std::string text = batch(o, nullptr, &stats);
            const std::string byYear = sim::byYearCsv(stats);
            if (jobs == 1) {
                std::tie(one, oneByYear) = std::tie(text, byYear);
                ASSERT_EQ(std::count(byYear.begin(), byYear.end(), '\n'), 92);
                continue;
            }
            EXPECT_TRUE(text == one) << jobs << " jobs, restart " << restart;
            EXPECT_EQ(byYear, oneByYear) << jobs << " jobs, restart " << restart;
        }
    }
}

// The by-year figures recomputed from the per-game CSV: a game that ended stays dead with its
// last row's figures; quantiles interpolate between order statistics at (n - 1) p.
TEST(SimBatch, ByYearFiguresFollowFromTheRows) {
    for (const bool restart : {false, true}) {
        sim::Options o;
        std::tie(o.seed, o.runs, o.years, o.restart, o.byYear) =
            std::make_tuple(11u, 10, 100, restart, "by-year.csv");
        std::vector<sim::YearStats> stats;
        sim::BatchTotals totals;
        const std::vector<Row> all = rows(batch(o, &totals, &stats));
        ASSERT_EQ(stats.size(), 101u);
        std::vector<std::vector<Row>> games(10);
        for (const Row& r : all)
            games[std::size_t(r[Col::Run])].push_back(r);
        bool someDied = false;
        std::int64_t halfLost = -1;
        for (std::size_t y = 0; y <= 100; ++y) {
            std::vector<double> animals;
            double extant = 0, genepool = 0, ill = 0;
            std::array<double, 12> present{};
            for (const auto& g : games) {
                const Row& r = g[std::min(y, g.size() - 1)];
                someDied |= y >= g.size();
                animals.push_back(double(r[Animals]));
                extant += r[Animals] > 0;
                genepool += double(r[Genepool]);
                ill += double(r[Ill]);
                // A colour is carried when some animal has it in either slot.
                for (int k = 0; k < 9; ++k)
                    present[std::size_t(k)] += r[FirstPair + k] > 0;
                for (int c = 0; c < 3; ++c) {
                    bool carried = false;
                    for (int k = 0; k < 9; ++k)
                        carried |= r[FirstPair + k] > 0 && (k / 3 == c || k % 3 == c);
                    present[std::size_t(9 + c)] += carried;
                }
            }
            std::sort(animals.begin(), animals.end());
            const double mean = std::accumulate(animals.begin(), animals.end(), 0.0) / 10;
            double squares = 0;
            for (double a : animals)
                squares += (a - mean) * (a - mean);
            const sim::YearStats& s = stats[y];
            if (halfLost < 0 && extant < 5) halfLost = std::int64_t(y);
            const std::vector<std::pair<double, double>> pairs = {
                {double(s.extant), extant},
                {s.pExtant, extant / 10},
                {s.animalsMean, mean},
                {s.animalsSd, std::sqrt(squares / 9)},
                {s.animalsP10, animals[0] + 0.9 * (animals[1] - animals[0])},
                {s.animalsMedian, (animals[4] + animals[5]) / 2},
                {s.animalsP90, animals[8] + 0.1 * (animals[9] - animals[8])},
                {s.animalsMeanExtant, extant > 0 ? mean * 10 / extant : 0},
                {s.genepoolMean, genepool / 10},
                {s.illMean, ill / 10},
            };
            for (std::size_t i = 0; i < pairs.size(); ++i)
                EXPECT_NEAR(pairs[i].first, pairs[i].second, 1e-9)
                    << "year " << y << " figure " << i;
            for (std::size_t b = 0; b < present.size(); ++b)
                EXPECT_NEAR(s.pPresent[b], present[b] / 10, 1e-12) << "year " << y << " bit " << b;
        }
        EXPECT_EQ(totals.halfLostYear, halfLost) << "restart " << restart;
        EXPECT_EQ(someDied && halfLost > 0, !restart) << "seed 11 loses more than half its games";
    }
}

// Wilson's 95 % interval: at 0 of n it runs from 0 to z^2 / (n + z^2), at n of n from
// n / (n + z^2) to 1; 5 of 10 gives the tabled 0.2366 to 0.7634.
TEST(SimByYear, WilsonIntervalAtTheEndsAndInTheMiddle) {
    const double z2 = 1.959963984540054 * 1.959963984540054;
    double lo = -1, hi = -1;
    sim::wilsonInterval(0, 40, lo, hi);
    EXPECT_EQ(lo, 0.0);
    EXPECT_NEAR(hi, z2 / (40 + z2), 1e-15);
    sim::wilsonInterval(40, 40, lo, hi);
    EXPECT_NEAR(lo, 40 / (40 + z2), 1e-15);
    EXPECT_EQ(hi, 1.0);
    sim::wilsonInterval(5, 10, lo, hi);
    EXPECT_NEAR(lo, 0.2366, 5e-5);
    EXPECT_NEAR(hi, 0.7634, 5e-5);
}

TEST(SimSummary, MedianExtinctionYear) {
    EXPECT_EQ(sim::median({}), 0);
    EXPECT_EQ(sim::median({9, 1, 5}), 5);
    EXPECT_EQ(sim::median({40, 10, 30, 20}), 25);
}

} // namespace
