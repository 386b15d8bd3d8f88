// selvo-sim: many games without a player, as CSV, for studying the herd and for timing the model.
#include "tools/sim/batch.h"
#include "tools/sim/options.h"
#include "tools/sim/output.h"
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
    if (!sim::prepareModel(options.media, error)) {
        fail(error);
        return exitBadInput;
    }
    // Only now, with every check passed, is anything created.
    sim::Output out;
    if (!sim::openOutput("--out", options.out, out, error)) {
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
    const sim::BatchEnd end = sim::runBatch(
        options, [&](std::string_view text) { return sim::writeOutput(out, text); }, totals, true);
    if (end == sim::BatchEnd::Stopped) {
        sim::abandonOutput(out);
        fail("interrupted; " + (options.out.empty() ? std::string("output incomplete")
                                                    : options.out + " not written"));
        return exitInterrupted;
    }
    if (end == sim::BatchEnd::SinkFailed) {
        sim::abandonOutput(out);
        fail("writing the CSV failed" +
             (options.out.empty() ? std::string() : "; " + options.out + " not written"));
        return exitWriteFailed;
    }
    if (!sim::finishOutput(out, error)) {
        fail(error);
        return exitWriteFailed;
    }
    std::fputs(sim::summaryText(totals).c_str(), stderr);
    return 0;
}
