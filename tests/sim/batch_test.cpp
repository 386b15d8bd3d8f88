// Batches on the real areas picture: the same output in any number of processes, also when reads
// are interrupted or a process's pipe ends early; outputs' pieces and names; the by-year
// interval, the plots' axes and the summary. (The rows and by-year tables of seeded batches are
// the golden runs'.)
#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/savegame.h"
#include "tests/support/support.h"
#include "tools/sim/batch.h"
#include "tools/sim/byyear.h"
#include "tools/sim/cleanup.h"
#include "tools/sim/csv.h"
#include "tools/sim/output.h"
#include "tools/sim/plot.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Row = std::vector<long long>;

// Column positions, as the header names them.
enum Col { Run, Seed, Year, Rating, Animals };

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
    const sim::CsvSink sink{[&](std::string_view chunk) { return text += chunk, true; }, {}};
    EXPECT_EQ(sim::runBatch(o, sink, totals ? *totals : t, table, false), sim::BatchEnd::Done);
    if (stats) *stats = sim::yearStats(table);
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
        EXPECT_EQ(r.size(), sim::CsvColumns) << line;
    }
    return out;
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
                const auto charts = sim::yearCharts({stats.begin(), stats.begin() + 6}, restart);
                for (const ui::Chart& c : charts) // from year 0
                    EXPECT_EQ(std::pair(c.x.min, c.x.max), std::pair(0.0, 5.0)) << c.title;
                continue;
            }
            EXPECT_TRUE(text == one) << jobs << " jobs, restart " << restart;
            EXPECT_EQ(byYear, oneByYear) << jobs << " jobs, restart " << restart;
        }
    }
}

// Games whose rows outgrow what a game process may hold back (a few MB; here each game of 60,000
// years and its restarts) come out whole and in order from two processes as from one.
TEST(SimBatch, LongGamesComeOutWhole) {
    sim::Options o;
    std::tie(o.seed, o.runs, o.years, o.restart, o.jobs) = std::make_tuple(8u, 3, 60000, true, 1);
    const std::string one = batch(o);
    ASSERT_GT(one.size(), std::size_t(12) << 20);
    o.jobs = 2;
    EXPECT_TRUE(batch(o) == one);
}

// A signal the parent handles (SIGUSR1, without restarting calls) sent to it over and over while
// it waits for two game processes interrupts its waits and reads; no row is lost or doubled. The
// sender is a process: a thread would make the batch fork a process with a second thread, whose
// child can wait forever for a lock that thread held.
TEST(SimBatch, InterruptedReadsLoseNoRow) {
    static std::atomic<int> caught{0};
    struct sigaction count {
    }, before{};
    count.sa_handler = [](int) { ++caught; };
    ASSERT_EQ(::sigaction(SIGUSR1, &count, &before), 0);
    sim::Options o;
    std::tie(o.seed, o.runs, o.years, o.jobs) = std::make_tuple(4u, 60, 300, 1);
    const std::string want = batch(o);
    o.jobs = 2;
    const pid_t parent = ::getpid(), sender = ::fork();
    ASSERT_GE(sender, 0);
    if (sender == 0)
        for (;;) // until killed, or until the parent is gone
            if (::kill(parent, SIGUSR1) != 0 || ::usleep(50) != 0) ::_exit(0);
    for (int round = 0; round < 50 && caught < 100; ++round) { // however fast the batch is
        const std::string got = batch(o);
        EXPECT_TRUE(got == want) << got.size() << " bytes, not " << want.size();
    }
    ::kill(sender, SIGKILL);
    ::waitpid(sender, nullptr, 0);
    ::sigaction(SIGUSR1, &before, nullptr);
    EXPECT_GE(caught.load(), 100);
}

// A game process whose pipe ends without its end frame has failed, also when every game has
// come: once all rows are in, each pipe is swapped for one that holds a stray byte and ends.
TEST(SimBatch, APipeEndingWithoutItsEndFrameFails) {
    sim::Options o;
    std::tie(o.seed, o.runs, o.years, o.jobs) = std::make_tuple(6u, 4, 20, 1);
    const std::size_t whole = batch(o).size();
    const auto pipes = [] {
        std::set<int> fds;
        for (const auto& e : fs::directory_iterator("/proc/self/fd"))
            if (fs::read_symlink(e.path()).string().starts_with("pipe:"))
                fds.insert(std::stoi(e.path().filename()));
        return fds;
    };
    const std::set<int> before = pipes();
    const auto endPipes = [&] {
        for (int fd : pipes())
            if (int ends[2]; !before.contains(fd) && ::pipe(ends) == 0 && ::write(ends[1], "x", 1))
                ::close(ends[1]), ::dup2(ends[0], fd), ::close(ends[0]);
        return true;
    };
    std::size_t written = 0;
    const sim::CsvSink sink{
        [&](std::string_view text) { return (written += text.size()) != whole || endPipes(); }, {}};
    o.jobs = 2;
    sim::BatchTotals totals;
    sim::YearTable table;
    EXPECT_EQ(sim::runBatch(o, sink, totals, table, false), sim::BatchEnd::WorkerFailed);
}

// Pieces written together come out once each, a last piece of one byte too; four temporary
// names at most are handed out, and a fifth claim is refused.
TEST(SimOutput, PiecesOnceAndTemporaryNamesBounded) {
    sim::Output out;
    out.file = std::tmpfile();
    ASSERT_TRUE(sim::writeOutput(out, std::vector<std::string_view>{"ab", "", "c"}));
    std::rewind(out.file);
    char got[8] = {};
    EXPECT_EQ(std::string(got, std::fread(got, 1, sizeof got, out.file)), "abc");
    std::fclose(out.file);
    using sim::claimTempSlot; // braces claim in order
    const std::vector<int> slots{claimTempSlot(), claimTempSlot(), claimTempSlot(), claimTempSlot(),
                                 claimTempSlot()};
    EXPECT_EQ(slots, (std::vector<int>{0, 1, 2, 3, -1}));
    for (int slot : slots)
        sim::releaseTempSlot(slot);
}

// Every game from a saved herd: the founders' game saved gives the founders' bytes; a herd
// saved after 30 years is every game's year 0, in one process or two alike.
TEST(SimBatch, GamesStartFromASavedHerd) {
    sim::Options o;
    o.seed = 3, o.runs = 4, o.years = 20, o.jobs = 1;
    const std::string plain = batch(o);
    support::TempFolder folder;
    const auto startFrom = [&](int years) {
        model::resetModel();
        model::seedRandom(9);
        model::newGame();
        for (int y = 0; y < years; ++y)
            model::yearStep();
        const std::string text =
            model::writeSavedGame(model::captureGame({model::takeFigures()}, 1));
        const std::string path = folder.write("start.selvo", {text.begin(), text.end()});
        std::string error;
        EXPECT_TRUE(sim::prepareStart(path, error)) << error;
        return model::herdCount();
    };
    startFrom(0);
    EXPECT_EQ(batch(o), plain);
    const std::int32_t animals = startFrom(30);
    const std::string one = batch(o);
    o.jobs = 2;
    EXPECT_EQ(batch(o), one);
    EXPECT_NE(one, plain);
    for (const Row& r : rows(one)) // year 0 of every game is the saved herd
        EXPECT_EQ(r[Year] == 0 ? r[Animals] : animals, animals) << "run " << r[Col::Run];
    std::string error;
    EXPECT_TRUE(sim::prepareStart("", error));
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

// The charts' axes, worked out by hand: the range over eight is rounded up to 1, 2 or 5 times a
// power of ten (exactly 1 stays 1), the ends go out to whole steps, a range under 1 becomes 1.
TEST(SimPlot, AxesEndOnRoundSteps) {
    const struct {
        double lo, hi, min, max;
        int ticks;
        const char* format;
    } cases[] = {
        {0, 100, 0, 100, 6, "%.0f"},
        {-37, 12, -40, 20, 7, "%.0f"},
        {-645, -600, -650, -600, 6, "%.0f"},
        {0, 8, 0, 8, 9, "%.0f"},
        {5, 5, 5, 6, 6, "%.1f"},
        {0.3, 0.3001, 0.2, 1.4, 7, "%.1f"},
        {0, 1e9, 0, 1e9, 6, "%.0f"},
    };
    for (const auto& c : cases) {
        const ui::ChartAxis a = sim::niceAxis("t", c.lo, c.hi);
        EXPECT_NEAR(a.min, c.min, 1e-9 * std::abs(c.max)) << c.lo << " to " << c.hi;
        EXPECT_NEAR(a.max, c.max, 1e-9 * std::abs(c.max)) << c.lo << " to " << c.hi;
        EXPECT_EQ(a.ticks, c.ticks) << c.lo << " to " << c.hi;
        EXPECT_EQ(a.labelFormat, c.format) << c.lo << " to " << c.hi;
    }
}

} // namespace

// The summary's every figure and word, for totals worked out by hand: medians of an odd and an
// even count, both half-years, the means, and the throughput from the seconds given.
TEST(SimSummary, SaysWhatTheTotalsAre) {
    sim::BatchTotals t;
    std::tie(t.runs, t.extinctionYears, t.extinctions, t.lastAnimalsSum, t.lastGenepoolSum) =
        std::make_tuple(4, std::vector<std::int32_t>{30, 10, 20}, 3, 50, -1234);
    std::tie(t.years, t.animalYears, t.seconds, t.policy, t.halfDiedYear) =
        std::make_tuple(250, 5000, 2.5, "cull,spread", 40);
    EXPECT_EQ(sim::summaryText(t),
              "selvo-sim: policy cull,spread\n"
              "selvo-sim: 4 runs, 250 years simulated\n"
              "selvo-sim: 3 runs died out, median year of the first time 20; share alive first "
              "below 0.5 in year 40\n"
              "selvo-sim: at the last year: mean animals 12.5, mean genepool -308.5\n"
              "selvo-sim: 5000 animal-years in 2.50 s: 2000 animal-years per second, 100 years "
              "per second\n");
    t.restart = true;
    t.extinctionYears.push_back(15);
    std::tie(t.extinctions, t.halfDiedYear, t.halfLostYear) = std::make_tuple(9, -1, 7);
    EXPECT_EQ(sim::summaryText(t),
              "selvo-sim: policy cull,spread\n"
              "selvo-sim: 4 runs, 250 years simulated\n"
              "selvo-sim: 4 runs died out at least once, median year of the first time 17.5; "
              "2.25 extinctions per run; share never died out never below 0.5 (share with "
              "animals first below 0.5 in year 7)\n"
              "selvo-sim: at the last year: mean animals 12.5, mean genepool -308.5\n"
              "selvo-sim: 5000 animal-years in 2.50 s: 2000 animal-years per second, 100 years "
              "per second\n");
}
