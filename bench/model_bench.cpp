// The yearly step on herds of 19 to 15,000 animals, and the gene-pool score.
#include "bench/fixtures.h"

#include "model/game.h"
#include "model/genepool.h"
#include "model/herd.h"
#include "model/random.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// Each iteration steps a freshly built herd with the same draws. Only the step itself is timed,
// by hand: for the founders it takes about as long as PauseTiming/ResumeTiming would cost.
void yearStep(benchmark::State& state) {
    if (!bench::loadMedia()) return state.SkipWithError(bench::mediaError().c_str());
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        if (count == 19)
            model::newGame();
        else
            bench::buildHerd(count, 7);
        model::seedRandom(11);
        const auto start = std::chrono::steady_clock::now();
        model::yearStep();
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["after"] = model::herdCount();
}
BENCHMARK(yearStep)->Arg(19)->Arg(150)->Arg(1500)->Arg(15000)->UseManualTime()->ComputeStatistics(
    "min", bench::fastest);

void genePoolScore(benchmark::State& state) {
    if (!bench::loadMedia()) return state.SkipWithError(bench::mediaError().c_str());
    bench::buildHerd(static_cast<int>(state.range(0)), 7);
    for (auto _ : state)
        benchmark::DoNotOptimize(model::genePoolScore());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(genePoolScore)->Arg(1500)->ComputeStatistics("min", bench::fastest);

} // namespace
