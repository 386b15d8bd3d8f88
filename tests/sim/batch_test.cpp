// Batches on the real areas picture: repeatable output, the rows' meaning, extinction, summary.
#include "tools/sim/batch.h"
#include "tools/sim/csv.h"
#include "tools/sim/summary.h"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>
#include <vector>

namespace {

using Row = std::vector<long long>;

// Column positions, as the header names them.
enum Column : int {
    RunCol,
    SeedCol,
    YearCol,
    RatingCol,
    AnimalsCol,
    BirthsCol,
    DeathsCol,
    GenepoolCol,
    FirstPair
};
constexpr int Ill = FirstPair + sim::GenePairCount;
constexpr int FirstArea = Ill + 1;
constexpr int ColumnCount = FirstArea + model::AreaCount;

class SimBatch : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_TRUE(sim::prepareModel("Media", error)) << error;
    }

    static std::string csv(std::uint32_t seed, std::int64_t runs, std::int64_t years,
                           bool restart = false, sim::BatchTotals* totals = nullptr) {
        sim::Options o;
        o.seed = seed;
        o.runs = runs;
        o.years = years;
        o.restart = restart;
        std::string text;
        sim::BatchTotals t;
        const sim::BatchEnd end = sim::runBatch(
            o,
            [&](std::string_view chunk) {
                text += chunk;
                return true;
            },
            t, false);
        EXPECT_EQ(end, sim::BatchEnd::Done);
        if (totals) *totals = t;
        return text;
    }

    // Data rows of a CSV, header checked and dropped.
    static std::vector<Row> rows(const std::string& text) {
        std::istringstream in(text);
        std::string line;
        std::getline(in, line);
        EXPECT_EQ(line + "\n", sim::csvHeader());
        std::vector<Row> out;
        while (std::getline(in, line)) {
            Row r;
            std::istringstream fields(line);
            std::string field;
            while (std::getline(fields, field, ','))
                r.push_back(std::stoll(field));
            EXPECT_EQ(r.size(), std::size_t(ColumnCount)) << line;
            out.push_back(r);
        }
        return out;
    }

    static long long sum(const Row& r, int first, int count) {
        return std::accumulate(r.begin() + first, r.begin() + first + count, 0LL);
    }
};

TEST_F(SimBatch, SameSeedSameBytesOtherSeedOtherRows) {
    // Restarting keeps every game at 41 rows, whichever of them die out.
    const std::string a = csv(77, 3, 40, true);
    EXPECT_EQ(a, csv(77, 3, 40, true));
    const std::string b = csv(78, 3, 40, true);
    EXPECT_NE(a, b);
    // Run 1 of seed 77 is the game of seed 78: only the run column tells them apart.
    const std::vector<Row> ra = rows(a);
    const std::vector<Row> rb = rows(b);
    std::vector<Row> run1, run0;
    for (Row r : ra) {
        if (r[RunCol] != 1) continue;
        r[RunCol] = 0;
        run1.push_back(r);
    }
    for (const Row& r : rb)
        if (r[RunCol] == 0) run0.push_back(r);
    ASSERT_EQ(run1.size(), 41u);
    EXPECT_EQ(run1, run0);
}

TEST_F(SimBatch, SeedOneStartsWithTheFounders) {
    const std::vector<Row> r = rows(csv(1, 1, 3));
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0][YearCol], 0);
    EXPECT_EQ(r[0][SeedCol], 1);
    EXPECT_EQ(r[0][AnimalsCol], 19);
    EXPECT_EQ(r[0][GenepoolCol], 9);
    EXPECT_EQ(r[0][BirthsCol], 0);
    EXPECT_EQ(r[0][DeathsCol], 0);
    for (int y = 1; y <= 3; ++y) {
        EXPECT_EQ(r[y][YearCol], y);
        EXPECT_EQ(r[y][AnimalsCol], r[y - 1][AnimalsCol] + r[y][BirthsCol] - r[y][DeathsCol]);
    }
}

// Founders all stand in an Area, and a later `area` is either a looked-up Area or the mother's,
// so the Area columns count every animal in every row, not only in year 0. The gene-pair
// columns count every animal too: the model only makes genes 1, 2 and 4.
TEST_F(SimBatch, PairAndAreaColumnsCountEveryAnimal) {
    for (const Row& r : rows(csv(2024, 5, 120, true))) {
        EXPECT_EQ(sum(r, FirstArea, model::AreaCount), r[AnimalsCol]) << "year " << r[YearCol];
        EXPECT_EQ(sum(r, FirstPair, sim::GenePairCount), r[AnimalsCol]) << "year " << r[YearCol];
        EXPECT_LE(r[Ill], r[AnimalsCol]);
        EXPECT_GE(r[RatingCol], -3);
        EXPECT_LE(r[RatingCol], 3);
    }
}

TEST_F(SimBatch, SeedsWrapAroundAtTwoToThe32) {
    const std::vector<Row> r = rows(csv(4294967295u, 2, 5));
    ASSERT_EQ(r.back()[RunCol], 1);
    EXPECT_EQ(r.back()[SeedCol], 0);
    Row wrapped = r.back();
    wrapped[RunCol] = 0;
    EXPECT_EQ(wrapped, rows(csv(0, 1, 5)).back());
}

TEST_F(SimBatch, ExtinctRunEndsAtItsLastYearUnlessRestarted) {
    constexpr std::int64_t years = 200;
    // Find a game that dies out within the years; the sweep stops at the first one.
    std::uint32_t seed = 0;
    std::vector<Row> dying;
    for (std::uint32_t s = 1; s <= 400 && dying.empty(); ++s) {
        std::vector<Row> r = rows(csv(s, 1, years));
        if (r.back()[YearCol] < years) dying = r, seed = s;
    }
    ASSERT_FALSE(dying.empty()) << "no game of the first 400 seeds died out in 200 years";
    const long long last = dying.back()[YearCol];
    EXPECT_EQ(dying.back()[AnimalsCol], 0);
    EXPECT_EQ(dying.size(), std::size_t(last + 1)) << "one row per year, none after the last";
    for (std::size_t i = 0; i + 1 < dying.size(); ++i)
        EXPECT_GT(dying[i][AnimalsCol], 0);

    sim::BatchTotals totals;
    const std::vector<Row> restarted = rows(csv(seed, 1, years, true, &totals));
    ASSERT_EQ(restarted.size(), std::size_t(years + 1));
    for (std::size_t i = 0; i < dying.size(); ++i)
        EXPECT_EQ(restarted[i], dying[i]);
    for (std::size_t i = 0; i < restarted.size(); ++i)
        EXPECT_EQ(restarted[i][YearCol], (long long)i);
    // The year after the death is the new game's first year: the founders' children.
    EXPECT_EQ(restarted[dying.size()][AnimalsCol],
              19 + restarted[dying.size()][BirthsCol] - restarted[dying.size()][DeathsCol]);
    ASSERT_EQ(totals.extinctionYears.size(), 1u);
    EXPECT_EQ(totals.extinctionYears[0], last);
}

TEST(SimSummary, MedianAndMeans) {
    EXPECT_EQ(sim::median({}), 0);
    EXPECT_EQ(sim::median({9, 1, 5}), 5);
    EXPECT_EQ(sim::median({40, 10, 30, 20}), 25);
    sim::BatchTotals t;
    t.runs = 4;
    t.extinctionYears = {30, 10, 20};
    t.lastAnimalsSum = 10;
    t.lastGenepoolSum = -6;
    t.years = 300;
    t.animalYears = 6000;
    t.seconds = 2;
    const std::string s = sim::summaryText(t);
    for (const char* part :
         {"4 runs", "300 years", "3 runs died out", "median extinction year 20", "mean animals 2.5",
          "mean genepool -1.5", "3000 animal-years", "150 years per second"})
        EXPECT_NE(s.find(part), std::string::npos) << part << " in\n" << s;
}

} // namespace
