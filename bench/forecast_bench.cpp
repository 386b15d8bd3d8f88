// The page "Prognose"'s futures against their floor: the three selvo-sim batches run by hand one
// after another. Both start from the founders' herd saved to a file, with the same seed, rounds
// alternating. Usage: forecast_bench [ROUNDS] (from the project folder, for Media/).
#include "map/history.h"
#include "model/figures.h"
#include "model/game.h"
#include "model/savegame.h"
#include "report/forecast_run.h"
#include "tools/sim/batch.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    report::forecastSetup.program = SELVO_SIM;
    std::string error;
    if (!sim::prepareModel("Media", error)) { // the tables and the areas picture, as selvo-sim
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    model::newGame();
    map::noteYear(model::takeFigures()); // as the window's redraw does
    const std::string saved = model::writeSavedGame(model::captureGame(map::History, 1));
    const std::string file = "/tmp/forecast-bench-" + std::to_string(::getpid()) + ".selvo";
    std::ofstream(file) << saved;

    std::printf("round  page(s)  by hand, --jobs 2 (s)  ratio\n");
    for (int r = 0; r < rounds; ++r) {
        auto start = std::chrono::steady_clock::now();
        report::startForecast(saved, 7);
        while (report::forecast.running) { // the report window's loop without its events
            report::pollForecast();
            ::usleep(1000);
        }
        const double page = seconds(start);
        if (!report::forecast.failure.empty()) {
            std::fprintf(stderr, "%s\n", report::forecast.failure.c_str());
            return 1;
        }
        start = std::chrono::steady_clock::now();
        for (const char* policy : {"none", "cull", "spread"}) {
            const std::string command = std::string(SELVO_SIM) + " --from " + file +
                                        " --seed 7 --runs 1000 --years 50 --jobs 2 --policy " +
                                        policy + " --by-year /dev/null --out /dev/null 2>/dev/null";
            if (std::system(command.c_str()) != 0) return 1;
        }
        const double byHand = seconds(start);
        std::printf("%5d  %7.3f  %21.3f  %5.2f\n", r + 1, page, byHand, page / byHand);
    }
    ::unlink(file.c_str());
    return 0;
}
