// The game's history of yearly points: what it keeps through years, shots, new games and the
// end of a herd, and how it stays bounded in a very long game.
#include "map/history.h"
#include "map/statistics.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/tables.h"
#include "tests/support/support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What updateStatusBar does, minus the window: the texts, then the history's point.
std::array<std::string, map::StatusFieldCount> shown;
void refresh() {
    const model::YearFigures f = model::takeFigures();
    shown = map::statusTexts(f);
    map::noteYear(f);
}

// The current point must say what the status bar says, and count the Herd's gene pairs.
void expectPointMatchesStatusBar() {
    ASSERT_FALSE(map::History.empty());
    const model::YearFigures& p = map::History.back();
    EXPECT_EQ(shown[0].rfind("Jahr " + std::to_string(p.year) + " war ", 0), 0u) << shown[0];
    EXPECT_EQ(shown[1], "Anzahl Tiere: " + std::to_string(p.animals));
    EXPECT_EQ(shown[2], "Geburten: " + std::to_string(p.births));
    EXPECT_EQ(shown[3], "Gestorben: " + std::to_string(p.deaths));
    EXPECT_EQ(shown[4], "Genpool: " + std::to_string(p.genePool));
    const int genes[3] = {1, 2, 4};
    for (int k = 0; k < 9; ++k) {
        int count = 0;
        for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
            count += it->gene1 == genes[k / 3] && it->gene2 == genes[k % 3];
        EXPECT_EQ(p.pairs[std::size_t(k)], count) << k;
    }
}

class History : public ::testing::Test {
  protected:
    void SetUp() override {
        model::loadTables();
        // Two Areas: the founders west of x = 450 in Area 1, the others in Area 2.
        support::makeAreas(900, 640, 1);
        support::paintAreas(450, 0, 899, 639, 2);
        model::resetModel();
        map::resetHistory();
        model::seedRandom(11);
        newGame();
    }
    // What the game's new game does: the model's, then the status bar.
    static void newGame() {
        model::newGame();
        refresh();
    }
    static void year() {
        model::yearStep();
        refresh();
    }
};

TEST_F(History, OnePointPerYearTheCurrentOneFollowsEveryChange) {
    ASSERT_EQ(map::History.size(), 1u);
    expectPointMatchesStatusBar();
    EXPECT_EQ(std::pair(map::History[0].animals, map::History[0].genePool), std::pair(19, 9));

    for (int y = 1; y <= 5; ++y)
        year();
    ASSERT_EQ(map::History.size(), 6u);
    for (int y = 0; y <= 5; ++y)
        EXPECT_EQ(map::History[std::size_t(y)].year, y);
    expectPointMatchesStatusBar();

    // A shot between two years: the current point changes at once, the earlier ones do not.
    const auto before = map::History;
    model::herdRemove(model::herdBegin());
    refresh();
    ASSERT_EQ(map::History.size(), 6u);
    EXPECT_EQ(map::History.back().animals, before.back().animals - 1);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(map::History[i].animals, before[i].animals);
    expectPointMatchesStatusBar();

    // A new game starts a new history.
    newGame();
    ASSERT_EQ(map::History.size(), 1u);
    EXPECT_EQ(map::History[0].year, 0);
    expectPointMatchesStatusBar();
}

TEST_F(History, ALongGameStaysBoundedAndEvenlySpacedAndKeepsTheCurrentYear) {
    model::herdClear(); // the points' values do not matter here, only which years are kept
    for (int y = 1; y <= 100000; ++y) {
        model::year = y;
        refresh();
        ASSERT_TRUE(map::History.size() < map::HistoryCapacity && map::History.back().year == y);
    }
    EXPECT_EQ(std::pair(map::History.front().year, map::History.back().year), std::pair(0, 100000));
    EXPECT_GT(map::History.size(), map::HistoryCapacity / 2);
    for (std::size_t i = 1; i + 1 < map::History.size(); ++i)
        ASSERT_EQ(map::History[i].year - map::History[i - 1].year, map::HistoryStride) << i;
    EXPECT_EQ(map::HistoryStride, 128);
}

} // namespace
