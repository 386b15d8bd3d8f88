// The map frame: composition with 150 and 1,500 animals against a plain frame copy, and loading
// the twenty pictures one by one and as one list.
#include "bench/fixtures.h"

#include "map/compose.h"
#include "map/numbers.h"
#include "model/tables.h"
#include "ui/picture.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// The floor composition cannot beat: the background copied into the working picture.
void frameCopy(benchmark::State& state) {
    if (!bench::loadMedia()) return state.SkipWithError(bench::mediaError().c_str());
    const ui::Picture* background = ui::pictureHandle(map::PlainMapPicture);
    for (auto _ : state) {
        ui::openDrawing(map::WorkMapPicture);
        ui::drawPicture(background, 0, 0);
        ui::closeDrawing();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(frameCopy)->ComputeStatistics("min", bench::fastest);

void composeMap(benchmark::State& state) {
    if (!bench::loadMedia()) return state.SkipWithError(bench::mediaError().c_str());
    bench::buildHerd(static_cast<int>(state.range(0)), 7);
    int carriedIcon = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(map::composeMap(false, nullptr, carriedIcon));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(composeMap)->Arg(150)->Arg(1500)->ComputeStatistics("min", bench::fastest);

void loadAllPictures(benchmark::State& state) {
    if (!bench::loadMedia()) return state.SkipWithError(bench::mediaError().c_str());
    for (auto _ : state) {
        bool ok = true;
        for (int n = 0; n < map::PictureCount; ++n)
            ok = ui::loadPicture(n, bench::picturePath(n)) && ok;
        if (!ok) return state.SkipWithError("a picture failed to load");
    }
}
BENCHMARK(loadAllPictures)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", bench::fastest);

// The twenty as start-up reads them: one list on a second thread, each number then taken in turn.
void loadPictureList(benchmark::State& state) {
    if (!bench::loadMedia()) return state.SkipWithError(bench::mediaError().c_str());
    std::vector<std::string> paths;
    for (int n = 0; n < map::PictureCount; ++n)
        paths.push_back(bench::picturePath(n));
    for (auto _ : state) {
        ui::loadPictures(paths);
        for (int n = 0; n < map::PictureCount; ++n)
            if (ui::pictureHandle(n) == nullptr) return state.SkipWithError("a picture failed");
    }
}
BENCHMARK(loadPictureList)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ComputeStatistics("min", bench::fastest);

} // namespace
