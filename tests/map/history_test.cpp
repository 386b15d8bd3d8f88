// The game's history of yearly points: what it keeps through years, shots, new games and the
// end of a herd, and how it stays bounded in a very long game.
#include "map/history.h"
#include "map/statistics.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/numbers.h"
#include "model/random.h"
#include "model/tables.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What updateStatusBar does, minus the window: the texts, then the history's point.
std::array<std::string, model::StatusFieldCount> shown;
void refresh() {
    shown = map::statusTexts();
    map::noteYear();
}

// The current point must say what the status bar says, and hold the cross table's counts.
void expectPointMatchesStatusBar() {
    ASSERT_FALSE(map::History.empty());
    const map::YearPoint& p = map::History.back();
    EXPECT_EQ(shown[0].rfind("Jahr " + std::to_string(p.year) + " war ", 0), 0u) << shown[0];
    EXPECT_EQ(shown[1], "Anzahl Tiere: " + std::to_string(p.animals));
    EXPECT_EQ(shown[2], "Geburten: " + std::to_string(p.births));
    EXPECT_EQ(shown[3], "Gestorben: " + std::to_string(p.deaths));
    EXPECT_EQ(shown[4], "Genpool: " + std::to_string(p.genePool));
    const int genes[3] = {1, 2, 4};
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(p.pairs[k], map::GenePoolTable[genes[k / 3]][genes[k % 3]][0]) << k;
}

class History : public ::testing::Test {
  protected:
    void SetUp() override {
        model::loadTables();
        ASSERT_TRUE(ui::loadPicture(model::AreasPicture, "Media/KarteGebiete.png"));
        model::resetHerd();
        map::resetHistory();
        model::seedRandom(11);
        model::setNewGameRedrawHook(&refresh);
        model::newGame();
    }
    void TearDown() override { model::setNewGameRedrawHook(nullptr); }
    static void year() {
        model::yearStep();
        refresh();
    }
};

TEST_F(History, OnePointPerYearTheCurrentOneFollowsEveryChange) {
    ASSERT_EQ(map::History.size(), 1u);
    expectPointMatchesStatusBar();
    EXPECT_EQ(map::History[0].animals, 19);
    EXPECT_EQ(map::History[0].genePool, 9);

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
    model::newGame();
    ASSERT_EQ(map::History.size(), 1u);
    EXPECT_EQ(map::History[0].year, 0);
    expectPointMatchesStatusBar();
}

TEST_F(History, TheEndOfAHerdLeavesOnlyTheNewGame) {
    year();
    model::herdClear();
    year(); // the empty herd's year: a point of 0 animals, as the status bar shows it
    EXPECT_EQ(map::History.back().animals, 0);
    EXPECT_EQ(map::History.back().genePool, -645);
    expectPointMatchesStatusBar();
    model::newGame();
    ASSERT_EQ(map::History.size(), 1u);
    EXPECT_EQ(map::History[0].animals, 19);
}

TEST_F(History, ALongGameStaysBoundedAndEvenlySpaced) {
    model::herdClear(); // the points' values do not matter here, only which years are kept
    for (int y = 1; y <= 100000; ++y) {
        model::year = y;
        refresh();
        ASSERT_LT(map::History.size(), map::HistoryCapacity); // full means thinned at once
    }
    EXPECT_EQ(map::History.front().year, 0);
    EXPECT_EQ(map::History.back().year, 100000);
    EXPECT_GT(map::History.size(), map::HistoryCapacity / 2);
    for (std::size_t i = 1; i + 1 < map::History.size(); ++i)
        ASSERT_EQ(map::History[i].year - map::History[i - 1].year, map::HistoryStride) << i;
    EXPECT_EQ(map::HistoryStride, 128);
}

} // namespace
