// The report's page "Verlauf": the current game's history drawn as three charts, shown larger
// in a window of its own, and saved as a table and as a picture.
#include "map/history.h"
#include "map/numbers.h"
#include "model/random.h"
#include "report/history_charts.h"
#include "report/history_export.h"
#include "report/numbers.h"
#include "tests/support/game.h"
#include "tests/support/support.h"
#include "ui/chart.h"
#include "ui/picture.h"
#include "ui/qt_access.h"
#include "ui/window.h"

#include <QTabWidget>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace support;

// What the page shows of its three charts: per chart the points of each series (-1 past the
// last), and the legend from the top.
struct Seen {
    int shownFirst = -1;
    std::vector<std::vector<int>> points;
    std::vector<std::vector<ui::LegendEntry>> legends;
};

Seen seeCharts(int control) {
    Seen seen;
    for (int c = 0; c < 3; ++c) {
        seen.points.emplace_back();
        for (int s = 0; s < 9; ++s)
            seen.points.back().push_back(ui::chartPointCount(control, c, s));
        seen.legends.push_back(ui::chartLegend(control, c));
    }
    return seen;
}

// Opens the report, switches to "Verlauf" as a player would, reads the charts, and closes the
// report, or leaves that to `more`.
Seen openHistoryPage(const std::function<void()>& more = {}) {
    Seen seen;
    whileOpen([] { clickToolItem(map::ReportButton); },
              [&] {
                  auto* panel = qobject_cast<QTabWidget*>(ui::controlWidget(report::ReportPanel));
                  const int first = panel ? panel->currentIndex() : -1;
                  if (panel) panel->setCurrentIndex(2);
                  seen = seeCharts(report::HistoryChart);
                  seen.shownFirst = first;
                  if (more)
                      more();
                  else
                      requestClose(map::ReportWindow);
              });
    return seen;
}

std::vector<std::string> names(const std::vector<ui::LegendEntry>& legend) {
    std::vector<std::string> n;
    for (const ui::LegendEntry& e : legend)
        n.push_back(e.name);
    return n;
}

// Year 0 alone: every series is a visible mark (a bar of the stack, a point of a line), not a
// dot of no width. Later one point per year; the legends read top down as the stacks do, and
// the nine gene pairs each have a look of their own.
TEST(HistoryPage, AYearAloneIsMarkedAndTheLegendsReadAsTheStacks) {
    startGame();
    clickToolItem(map::NewGameButton);
    Seen seen = openHistoryPage();
    EXPECT_EQ(seen.shownFirst, 0);
    EXPECT_EQ(std::tuple(seen.legends[0].size(), seen.legends[1].size(), seen.legends[2].size()),
              std::tuple(6u, 9u, 1u));
    for (const auto& legend : seen.legends)
        for (const ui::LegendEntry& e : legend)
            EXPECT_TRUE(e.marked && e.shown == (&legend != &seen.legends[2])) << e.name;

    model::seedRandom(3);
    for (int y = 0; y < 5; ++y)
        clickControl(map::YearButton);
    ASSERT_EQ(map::History.size(), 6u);
    seen = openHistoryPage();
    EXPECT_EQ(seen.points, (std::vector<std::vector<int>>{{6, 6, 6, 6, 6, 6, -1, -1, -1},
                                                          std::vector<int>(9, 6),
                                                          {6, -1, -1, -1, -1, -1, -1, -1, -1}}));

    const std::vector<ui::Chart> charts = report::historyCharts();
    for (std::size_t c = 0; c < 2; ++c) { // stacked first from the bottom, lines drawn over them
        std::vector<std::string> stackTopDown;
        for (const ui::ChartSeries& s : charts[c].series)
            stackTopDown.insert(stackTopDown.begin(), s.name);
        EXPECT_EQ(names(seen.legends[c]), stackTopDown);
    }
    std::set<std::uint64_t> looks;
    for (const ui::LegendEntry& e : seen.legends[1])
        looks.insert(e.look);
    EXPECT_EQ(looks.size(), 9u);
}

// "Größer anzeigen" shows the same charts in a window of their own that the player may resize;
// closing it returns to the report.
TEST(HistoryPage, TheChartsLargerInAResizableWindow) {
    startGame();
    Seen page, larger;
    QSize grown;
    bool reportStayed = false;
    page = openHistoryPage([&] {
        whileOpen([] { pressControl(report::LargerChartsButton); },
                  [&] {
                      larger = seeCharts(report::LargerHistoryChart);
                      ui::windowWidget(map::HistoryWindow)->resize(700, 600);
                      grown = ui::controlWidget(report::LargerHistoryChart)->size();
                      requestClose(map::HistoryWindow);
                      QTimer::singleShot(50, [&] {
                          reportStayed = ui::windowExists(map::ReportWindow) &&
                                         !ui::windowExists(map::HistoryWindow);
                          requestClose(map::ReportWindow);
                      });
                  });
    });
    EXPECT_EQ(page.points, larger.points);
    EXPECT_EQ(names(page.legends[1]), names(larger.legends[1]));
    EXPECT_EQ(std::pair(grown, reportStayed), std::pair(QSize(700, 600), true));
}

// Axes end on round values from 0; the score has a chart of its own, with 0 on its axis; a
// thinned history says so.
TEST(HistoryPage, RoundAxesTheScoreApartAndAThinnedHistorySaysSo) {
    map::History = {model::YearFigures{.year = 0}, model::YearFigures{.year = 7, .animals = 23}};
    std::vector<ui::Chart> charts = report::historyCharts();
    ASSERT_EQ(charts.size(), 3u);
    EXPECT_EQ(std::tuple(charts[0].title, charts[1].title, charts[2].title, charts[2].x.title),
              std::tuple("Tiere", "Genpaare (1. Gen/2. Gen)", "Genpool-Wert", "Jahr"));
    EXPECT_EQ(std::tuple(charts[0].x.max, charts[0].x.ticks, charts[0].y.max, charts[0].y.ticks),
              std::tuple(8.0, 5, 25.0, 6));
    for (const ui::ChartSeries& s : charts[1].series)
        EXPECT_EQ(s.kind, ui::SeriesKind::Stacked) << s.name;
    map::HistoryStride = 4;
    EXPECT_EQ(report::historyCharts()[2].title, "Genpool-Wert (nur jedes 4. Jahr gezeigt)");
    map::HistoryStride = 1;

    // Few animals count from 0; none still give a height; a lost gene's score is on its axis.
    for (auto [animals, score, top] : {std::tuple{3, 3, 3.0}, {2, -300, 2.0}, {0, 0, 1.0}}) {
        model::YearFigures p{.year = 1, .animals = animals, .genePool = score};
        p.pairs[0] = animals;
        map::History = {p};
        charts = report::historyCharts();
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(std::tuple(charts[c].y.min, charts[c].y.max), std::tuple(0.0, top)) << c;
        EXPECT_TRUE(charts[2].y.min <= std::min(score, 0) && charts[2].y.max >= std::max(score, 0));
    }
}

// The table as committed (history-table.csv), also through the dialog; the picture a PNG or an SVG
// of the stated size by the name's ending; a folder that is not there is named.
TEST(HistoryPage, SavedAsTableAndAsPicture) {
    startGame();
    map::History.clear();
    for (std::int32_t y : {0, 4, 8}) {
        model::YearFigures p{y, 0, 30 + y, 1 + y, 7 + y, 3 + y, 4, 2 + y, 5 + y, -120 - y};
        for (std::size_t k = 0; k < 9; ++k)
            p.pairs[k] = std::int32_t(10 * k) + y;
        map::History.push_back(p);
    }
    TempFolder folder;
    const std::string table = (folder.path / "verlauf.csv").string();
    std::string error;
    ASSERT_TRUE(report::writeHistoryTable(table, error)) << error;
    support::expectGolden("history-table.csv", fileBytes(table));
    support::throughDialog(report::saveHistoryTable, (folder.path / "named").string());
    EXPECT_EQ(fileBytes(folder.path / "named.csv"), fileBytes(table)); // the ending added

    const std::string png = (folder.path / "verlauf.png").string();
    ASSERT_TRUE(report::writeHistoryPicture(png, error)) << error;
    const std::string bytes = fileBytes(png);
    ui::Picture picture;
    ASSERT_TRUE(ui::decodePicture(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                                  picture));
    EXPECT_EQ(std::pair(picture.width, picture.height),
              std::pair(report::PictureWidth, report::PictureHeight));
    const std::string svg = (folder.path / "verlauf.SVG").string();
    ASSERT_TRUE(report::writeHistoryPicture(svg, error)) << error;
    const std::string text = fileBytes(svg);
    const std::size_t root = text.find("<svg");
    ASSERT_NE(root, std::string::npos);
    EXPECT_NE(text.find("viewBox=\"0 0 1000 1100\"", root), std::string::npos);

    const std::string nowhere = (folder.path / "fehlt" / "verlauf.csv").string();
    EXPECT_FALSE(report::writeHistoryTable(nowhere, error));
    EXPECT_NE(error.find(nowhere), std::string::npos) << error;
}

} // namespace
