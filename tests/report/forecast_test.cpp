// The page "Prognose": the figures of selvo-sim on the command line for the same saved herd and
// seed, sentences made of them, its charts, a failing simulator told in one line, and nothing
// left running or written once the window is closed early.
#include "app/main_window.h"
#include "map/history.h"
#include "map/numbers.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/savegame.h"
#include "report/forecast_run.h"
#include "report/numbers.h"
#include "report/report.h"
#include "tests/support/game.h"
#include "tests/support/support.h"
#include "ui/chart.h"
#include "ui/window.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using namespace report;
using namespace std::chrono_literals;

class Forecast : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { support::startGame(); }
    void TearDown() override { forecastSetup = ForecastSetup{}; }
};

// Opens the report, waits for the futures and returns the page's progress line and its text;
// checks the charts on the way: three, each with a line (and a band) per choice.
std::pair<std::string, std::string> openUntilDone() {
    std::pair<std::string, std::string> page;
    support::whileOpen(showHerdReport, [&] {
        support::whenForecastDone([&] {
            page = {ui::controlText(ForecastProgress), ui::controlText(ForecastText)};
            if (forecast.failure.empty()) {
                EXPECT_EQ(ui::chartCount(ForecastChart), 3);
                for (int chart : {0, 1, 2})
                    EXPECT_EQ(ui::chartSeriesCount(ForecastChart, chart), chart < 2 ? 6 : 3);
                EXPECT_EQ(ui::chartPointCount(ForecastChart, 2, 0), ForecastYears + 1);
                std::string named; // each choice once, a band named by its line
                for (const ui::LegendEntry& e : ui::chartLegend(ForecastChart, 0))
                    named += e.shown ? e.name + "/" : "";
                EXPECT_EQ(named, "Ohne Eingriff/Überzählige schießen/Leere Gebiete besetzen/");
            }
            support::requestClose(map::ReportWindow);
        });
    });
    return page;
}

bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

TEST_F(Forecast, FiguresAreTheCommandLinesForTheSameHerdAndSeed) {
    constexpr std::uint32_t seed = 4242;
    support::useBuiltSimulator(seed);
    for (int played : {0, 30}) {
        model::seedRandom(11);
        app::startNewGame();
        for (int y = 0; y < played; ++y)
            app::runYear();
        ASSERT_GT(model::herdCount(), 0) << "after " << played << " years";
        const auto [progress, text] = openUntilDone();
        EXPECT_EQ(progress, "3000 von 3000 Zukünften berechnet, je 50 Jahre");
        EXPECT_NE(text.find("--seed 4242 --runs 1000 --years 50 --policy none"), std::string::npos);

        // Saved now, as the page tells a teacher to, and run by hand.
        support::TempFolder folder;
        const std::filesystem::path saved = folder.path / "spiel.selvo";
        std::ofstream(saved) << model::writeSavedGame(model::captureGame(map::History, 1));
        for (std::size_t c = 0; c < ForecastChoices.size(); ++c) {
            const std::filesystem::path table = folder.path / "prognose.csv";
            const std::string command = forecastSetup.program + " --from '" + saved.string() +
                                        "' --seed 4242 --runs 1000 --years 50 --policy " +
                                        ForecastChoices[c].policy + " --by-year '" +
                                        table.string() + "' --out /dev/null 2>/dev/null";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            std::vector<ForecastYear> expected;
            std::string error;
            ASSERT_TRUE(parseForecastTable(support::fileBytes(table), expected, error)) << error;
            const std::vector<ForecastYear>& shown = forecast.tables[c];
            ASSERT_EQ(shown.size(), expected.size()) << ForecastChoices[c].policy;
            for (std::size_t y = 0; y < shown.size(); ++y) {
                const ForecastYear &a = shown[y], &b = expected[y];
                EXPECT_TRUE(
                    a.year == b.year && same(a.alive, b.alive) && same(a.aliveLow, b.aliveLow) &&
                    same(a.aliveHigh, b.aliveHigh) && same(a.animalsMean, b.animalsMean) &&
                    same(a.animalsP10, b.animalsP10) && same(a.animalsMedian, b.animalsMedian) &&
                    same(a.animalsP90, b.animalsP90) && same(a.genePoolMean, b.genePoolMean))
                    << ForecastChoices[c].policy << " year " << y << " after " << played;
            }
            EXPECT_NE(text.find(forecastSentence(ForecastChoices[c], expected)), std::string::npos)
                << text;
        }
    }
}

// Every process whose parent is this one, and any simulator still running with `seed`.
std::string leftBehind(std::uint32_t seed) {
    std::string found;
    const std::string ppid = std::to_string(::getpid());
    const std::string seedArgument = std::string("--seed") + '\0' + std::to_string(seed) + '\0';
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string stat = support::fileBytes(entry.path() / "stat");
        const std::size_t end = stat.rfind(')');
        if (end == std::string::npos) continue;
        std::istringstream fields(stat.substr(end + 2));
        std::string state, parent;
        fields >> state >> parent;
        if (parent == ppid ||
            support::fileBytes(entry.path() / "cmdline").find(seedArgument) != std::string::npos)
            found += name + " (" + state + ") ";
    }
    return found;
}

std::string listing(const std::filesystem::path& folder) {
    std::string names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names += entry.path().filename().string() + "\n";
    return names;
}

TEST_F(Forecast, ClosingTheWindowEarlyStopsAndReapsEverySimulator) {
    constexpr std::uint32_t seed = 31337;
    support::useBuiltSimulator(seed);
    const std::string before = listing(".") + listing("Media");
    bool wasRunning = false;
    std::function<void()> closeWhenCounting = [&] {
        if (forecast.running && forecast.finished == 0) {
            QTimer::singleShot(1, closeWhenCounting);
            return;
        }
        wasRunning = forecast.running && leftBehind(seed).find("(") != std::string::npos;
        support::requestClose(map::ReportWindow);
    };
    support::whileOpen(showHerdReport, closeWhenCounting);
    EXPECT_TRUE(wasRunning) << "the futures were done before the window closed";
    EXPECT_FALSE(forecast.running);
    EXPECT_EQ(leftBehind(seed), "");
    EXPECT_EQ(listing(".") + listing("Media"), before);
}

// Polling never waits for the simulator and says when the count has moved: a stand-in counts
// 7 futures at once, then holds its pipes open for two seconds.
TEST_F(Forecast, PollingTellsTheCountWithoutWaiting) {
    support::TempFolder folder;
    const std::string script = "#!/bin/sh\nwhile [ \"$1\" != --progress-fd ]; do shift; done\n"
                               "echo 7 >&\"$2\"\nexec sleep 2\n";
    forecastSetup.program = folder.write("sim", {script.begin(), script.end()});
    std::filesystem::permissions(forecastSetup.program, std::filesystem::perms::owner_all);
    startForecast(model::writeSavedGame(model::captureGame(map::History, map::HistoryStride)), 1);
    const auto start = std::chrono::steady_clock::now();
    bool told = false;
    while (!(told = pollForecast()) && std::chrono::steady_clock::now() - start < 1s)
        ::usleep(1000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(std::pair(told, forecast.finished), std::pair(true, 7));
    stopForecast();
}

TEST_F(Forecast, AFailingSimulatorIsToldInOneLineAndTheReportGoesOn) {
    support::useBuiltSimulator(1);
    support::TempFolder empty;
    forecastSetup.mediaDir = empty.path.string();
    const std::string progress = openUntilDone().first;
    EXPECT_TRUE(progress.starts_with("Prognose nicht möglich: ")) << progress;
    EXPECT_NE(progress.find("KarteGebiete.png"), std::string::npos) << progress;
    EXPECT_EQ(progress.find('\n'), std::string::npos);

    forecastSetup.program = empty.path.string() + "/selvo-sim";
    EXPECT_EQ(openUntilDone().first,
              "Prognose nicht möglich: " + forecastSetup.program + " nicht gefunden");
}

TEST(ForecastText, SentencesAndTablesAreReadFromTheFigures) {
    std::vector<ForecastYear> years;
    std::string error;
    ASSERT_TRUE(parseForecastTable("p_extant_lo,year,p_extant,p_extant_hi,animals_mean,x,"
                                   "animals_p10,animals_median,animals_p90,genepool_mean\n"
                                   "1,0,1,1,19,z,19,19,19,9\n"
                                   "0.354,50,0.384,0.414,6.4,,0,2,17,\n",
                                   years, error))
        << error;
    ASSERT_EQ(years.size(), 2u);
    EXPECT_TRUE(std::isnan(years[1].genePoolMean) && years[1].animalsP90 == 17);
    const ui::Chart alive = forecastCharts({years, {}, {}})[0]; // in percent, its band first
    EXPECT_EQ(alive.series[0].points[1].y, years[1].aliveHigh * 100);
    EXPECT_EQ(forecastSentence(ForecastChoices[0], years),
              "Ohne Eingriff lebt die Herde in 50 Jahren mit 38 % (35–41 %) "
              "Wahrscheinlichkeit; im Mittel 6 Tiere.");
    years[1] = {40, 0.996, 0.99, 1, 0.6, 0, 1, 2, 0};
    EXPECT_EQ(forecastSentence(ForecastChoices[2], years),
              "Leere Gebiete besetzen lebt die Herde in 40 Jahren mit 100 % (99–100 %) "
              "Wahrscheinlichkeit; im Mittel 1 Tier.");

    EXPECT_FALSE(parseForecastTable("year,p_extant\n0,1\n", years, error));
    EXPECT_EQ(error, "die Spalte p_extant_lo fehlt");
    EXPECT_FALSE(parseForecastTable("year,p_extant,p_extant_lo,p_extant_hi,animals_mean,"
                                    "animals_p10,animals_median,animals_p90,genepool_mean\n"
                                    "0,1,1,1,19,19,19,19,9x\n",
                                    years, error));
    EXPECT_EQ(error, "Zeile 2 ist keine Zahlenreihe");
}

} // namespace
