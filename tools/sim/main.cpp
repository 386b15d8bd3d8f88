// selvo-sim: many games without a player, as CSV, for studying the herd and for timing the model.
#include "tools/sim/batch.h"
#include "tools/sim/byyear.h"
#include "tools/sim/options.h"
#include "tools/sim/output.h"
#include "tools/sim/plot.h"
#include "tools/sim/summary.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>

namespace {

constexpr int exitWriteFailed = 1;
constexpr int exitBadInput = 2;
constexpr int exitInterrupted = 130;

void fail(const std::string& message) {
    std::fprintf(stderr, "selvo-sim: %s\n", message.c_str());
}

void requestStop(int) {
    sim::StopRequested = 1;
}

std::uint32_t seedFromClock() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    const auto wide = static_cast<std::uint64_t>(ticks);
    return static_cast<std::uint32_t>(wide ^ (wide >> 32));
}

// The files of a batch: the CSV (or standard output), the by-year table and the chart.
struct Outputs {
    sim::Output csv, byYear, plot;

    void abandon() {
        for (sim::Output* o : {&csv, &byYear, &plot})
            sim::abandonOutput(*o);
    }
};

// What a failed batch leaves: each named file stays as it was.
std::string notWritten(const sim::Options& o) {
    std::string names;
    for (const std::string* path : {&o.out, &o.byYear, &o.plot})
        if (!path->empty()) names += (names.empty() ? "" : ", ") + *path;
    return names.empty() ? std::string() : "; " + names + " not written";
}

} // namespace

int main(int argc, char** argv) {
    sim::Options options;
    std::string error;
    if (!sim::parseOptions(argc, argv, options, error)) {
        fail(error);
        return exitBadInput;
    }
    if (options.help) {
        std::fputs(sim::usageText().c_str(), stdout);
        return 0;
    }
    if (!sim::prepareModel(options.media, error) || !sim::prepareStart(options.from, error)) {
        fail(error);
        return exitBadInput;
    }
    // Only now, with every check passed, is anything created; a file that cannot be, leaves
    // the others untouched too.
    Outputs out;
    if (!sim::openOutput("--out", options.out, out.csv, error) ||
        (!options.byYear.empty() &&
         !sim::openOutput("--by-year", options.byYear, out.byYear, error)) ||
        (!options.plot.empty() && !sim::openOutput("--plot", options.plot, out.plot, error))) {
        out.abandon();
        fail(error);
        return exitBadInput;
    }
    if (!options.seedGiven) {
        options.seed = seedFromClock();
        std::fprintf(stderr, "selvo-sim: seed %u (repeat with --seed %u)\n", options.seed,
                     options.seed);
    }
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    sim::BatchTotals totals;
    sim::YearTable table;
    const sim::BatchEnd end = sim::runBatch(
        options, [&](std::string_view text) { return sim::writeOutput(out.csv, text); }, totals,
        table, true);
    if (end != sim::BatchEnd::Done) {
        out.abandon();
        if (end == sim::BatchEnd::Stopped) {
            fail("interrupted" +
                 (options.out.empty() ? std::string("; output incomplete") : notWritten(options)));
            return exitInterrupted;
        }
        fail(std::string(end == sim::BatchEnd::SinkFailed ? "writing the CSV failed"
                                                          : "a game process failed") +
             notWritten(options));
        return exitWriteFailed;
    }
    if (!options.byYear.empty() || !options.plot.empty()) {
        const std::vector<sim::YearStats> stats = sim::yearStats(table);
        std::string picture;
        if (!options.byYear.empty() && !sim::writeOutput(out.byYear, sim::byYearCsv(stats))) {
            out.abandon();
            fail("writing " + options.byYear + " failed" + notWritten(options));
            return exitWriteFailed;
        }
        if (!options.plot.empty() && (!sim::renderPlot(options, stats, picture, error) ||
                                      !sim::writeOutput(out.plot, picture))) {
            out.abandon();
            fail("drawing " + options.plot + " failed" +
                 (error.empty() ? std::string() : ": " + error) + notWritten(options));
            return exitWriteFailed;
        }
    }
    for (sim::Output* o : {&out.csv, &out.byYear, &out.plot}) {
        if (o->file != nullptr && !sim::finishOutput(*o, error)) {
            out.abandon();
            fail(error);
            return exitWriteFailed;
        }
    }
    std::fputs(sim::summaryText(totals).c_str(), stderr);
    return 0;
}
