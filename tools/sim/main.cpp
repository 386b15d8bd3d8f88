// selvo-sim: many games without a player, as CSV, for studying the herd and for timing the model.
#include "tools/sim/batch.h"
#include "tools/sim/byyear.h"
#include "tools/sim/cleanup.h"
#include "tools/sim/options.h"
#include "tools/sim/output.h"
#include "tools/sim/plot.h"
#include "tools/sim/progress.h"
#include "tools/sim/summary.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int exitWriteFailed = 1;
constexpr int exitBadInput = 2;

int fail(const std::string& message, int status) {
    std::fprintf(stderr, "selvo-sim: %s\n", message.c_str());
    return status;
}

std::uint32_t seedFromClock() {
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    const auto wide = static_cast<std::uint64_t>(ticks);
    return static_cast<std::uint32_t>(wide ^ (wide >> 32));
}

// What a failed batch leaves: each named file stays as it was.
std::string notWritten(const sim::Options& o) {
    std::string names;
    for (const std::string* path : {&o.out, &o.byYear, &o.plot})
        if (!path->empty()) names += (names.empty() ? "" : ", ") + *path;
    return names.empty() ? std::string() : "; " + names + " not written";
}

sim::Output output(const char* option, const std::string& path) {
    sim::Output o;
    o.option = option;
    o.path = path;
    return o;
}

} // namespace

int main(int argc, char** argv) {
    sim::Options options;
    std::string error;
    if (!sim::parseOptions(argc, argv, options, error)) return fail(error, exitBadInput);
    if (options.help) {
        std::fputs(sim::usageText().c_str(), stdout);
        return 0;
    }
    if (options.progressFd >= 0 && !sim::writableDescriptor(options.progressFd))
        return fail("--progress-fd " + std::to_string(options.progressFd) +
                        ": no file descriptor open for writing",
                    exitBadInput);
    if (!sim::prepareModel(options.media, error) || !sim::prepareStart(options.from, error))
        return fail(error, exitBadInput);
    // The CSV first; the others only when named.
    std::vector<sim::Output> outputs{output("--out", options.out)};
    if (!options.byYear.empty()) outputs.push_back(output("--by-year", options.byYear));
    if (!options.plot.empty()) outputs.push_back(output("--plot", options.plot));
    // Every refusal comes before any game runs and before any file is touched.
    if (!sim::checkOutputs(outputs, error)) return fail(error, exitBadInput);
    sim::installCleanupHandlers();
    if (!sim::openOutputs(outputs, error)) return fail(error, exitBadInput);
    if (!options.seedGiven) {
        options.seed = seedFromClock();
        std::fprintf(stderr, "selvo-sim: seed %u (repeat with --seed %u)\n", options.seed,
                     options.seed);
    }

    sim::BatchTotals totals;
    sim::YearTable table;
    sim::Output& csv = outputs.front();
    const sim::CsvSink sink{
        [&](std::string_view text) { return sim::writeOutput(csv, text); },
        [&](const std::vector<std::string_view>& pieces) { return sim::writeOutput(csv, pieces); }};
    const sim::BatchEnd end = sim::runBatch(options, sink, totals, table, true);
    if (end != sim::BatchEnd::Done) {
        sim::abandonOutputs(outputs);
        return fail(std::string(end == sim::BatchEnd::SinkFailed ? "writing the CSV failed"
                                                                 : "a game process failed") +
                        notWritten(options),
                    exitWriteFailed);
    }
    if (outputs.size() > 1) {
        const std::vector<sim::YearStats> stats = sim::yearStats(table);
        std::string picture;
        for (sim::Output& o : outputs) {
            if (&o == &csv) continue;
            const bool chart = o.option == "--plot";
            if (chart && !sim::renderPlot(options, stats, picture, error)) {
                sim::abandonOutputs(outputs);
                return fail("drawing " + o.path + " failed: " + error + notWritten(options),
                            exitWriteFailed);
            }
            if (!sim::writeOutput(o, chart ? picture : sim::byYearCsv(stats))) {
                sim::abandonOutputs(outputs);
                return fail("writing " + o.path + " failed" + notWritten(options), exitWriteFailed);
            }
        }
    }
    // All outputs complete, or none replaced.
    if (!sim::commitOutputs(outputs, error))
        return fail(error + notWritten(options), exitWriteFailed);
    std::fputs(sim::summaryText(totals).c_str(), stderr);
    return 0;
}
