// The report's page "Verlauf": the current game's history drawn as two charts.
#include "map/history.h"
#include "map/numbers.h"
#include "report/numbers.h"
#include "model/random.h"
#include "report/history_charts.h"
#include "tests/support/game.h"
#include "ui/chart.h"
#include "ui/qt_access.h"

#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using namespace support;

// (The pages' names are the golden session's.)
struct Seen {
    int shownFirst = -1;
    std::vector<int> points; // per series: "Tiere" 0..2, then "Genpool" 0..9
};

// Opens the report, switches to "Verlauf" as a player would and reads the charts' points.
Seen openHistoryPage() {
    Seen seen;
    whileOpen([] { clickToolItem(map::ReportButton); },
              [&] {
                  auto* panel = qobject_cast<QTabWidget*>(ui::controlWidget(report::ReportPanel));
                  if (panel) {
                      seen.shownFirst = panel->currentIndex();
                      panel->setCurrentIndex(2);
                  }
                  for (int s = 0; s < 3; ++s)
                      seen.points.push_back(ui::chartPointCount(report::HistoryChart, 0, s));
                  for (int s = 0; s < 10; ++s)
                      seen.points.push_back(ui::chartPointCount(report::HistoryChart, 1, s));
                  requestClose(map::ReportWindow);
              });
    return seen;
}

TEST(HistoryPage, ShowsOnePointPerYearOfTheCurrentGame) {
    startGame();
    clickToolItem(map::NewGameButton);
    Seen seen = openHistoryPage();
    EXPECT_EQ(seen.shownFirst, 0);
    EXPECT_EQ(seen.points, std::vector<int>(13, 1)); // year 0 alone: a single point

    model::seedRandom(3);
    for (int y = 0; y < 5; ++y)
        clickControl(map::YearButton);
    ASSERT_EQ(map::History.size(), 6u);
    seen = openHistoryPage();
    EXPECT_EQ(seen.points, std::vector<int>(13, 6));
    EXPECT_EQ(ui::chartPointCount(report::HistoryChart, 0, 0), -1); // gone with the window
}

// Axes end on round values; a score of 0 is no loss and shares the pairs' axis.
TEST(HistoryPage, PairsInOrderOnRoundAxesAndAThinnedHistorySaysSo) {
    map::History = {model::YearFigures{.year = 0}, model::YearFigures{.year = 7, .animals = 23}};
    const std::vector<ui::Chart> charts = report::historyCharts();
    ASSERT_EQ(charts.size(), 2u);
    EXPECT_EQ(std::tuple(charts[0].title, charts[1].title, charts[0].x.title),
              std::tuple("Tiere", "Genpool", "Jahr"));
    EXPECT_EQ(std::tuple(charts[0].x.max, charts[0].x.ticks, charts[0].y.max, charts[0].y.ticks),
              std::tuple(8.0, 5, 25.0, 6));
    EXPECT_FALSE(charts[1].series.back().rightAxis);
    const std::vector<std::string> pairs = {"Rot/Rot",   "Rot/Gelb",  "Rot/Blau",
                                            "Gelb/Rot",  "Gelb/Gelb", "Gelb/Blau",
                                            "Blau/Rot",  "Blau/Gelb", "Blau/Blau",
                                            "Genpool-Wert"};
    ASSERT_EQ(charts[1].series.size(), pairs.size());
    for (std::size_t s = 0; s < pairs.size(); ++s)
        EXPECT_EQ(charts[1].series[s].name, pairs[s]);
    map::HistoryStride = 4;
    EXPECT_EQ(report::historyCharts()[0].title, "Tiere (nur jedes 4. Jahr gezeigt)");
    map::HistoryStride = 1;

    // Few animals count from 0, also beside a lost score's axis; none still give a height.
    for (auto [animals, score, top] : {std::tuple{3, 3, 3.0}, {2, -300, 2.0}, {0, 0, 1.0}}) {
        model::YearFigures p{.year = 1, .animals = animals, .genePool = score};
        p.pairs[0] = animals;
        map::History = {p};
        for (const ui::Chart& c : report::historyCharts())
            EXPECT_EQ(std::tuple(c.y.min, c.y.max), std::tuple(0.0, top)) << c.title << animals;
    }
}

} // namespace
