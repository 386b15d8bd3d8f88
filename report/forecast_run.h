// Computing the page "Prognose" in separate processes: the simulator is started once per keeper
// choice on the saved herd, and read without waiting while the report window goes on.
#pragma once

#include "report/forecast.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace report {

// Where the futures are computed. An empty `program` is the simulator installed with the game
// (beside it in a build, or in the games folder), else `selvo-sim` on the PATH.
struct ForecastSetup {
    std::string program;
    std::string mediaDir = "Media"; // the folder of the areas picture the simulator needs
    std::optional<std::uint32_t> seed; // a fixed seed instead of a fresh one (for tests)
};
extern ForecastSetup forecastSetup;

struct ForecastState {
    bool running = false;
    std::uint32_t seed = 0;
    int finished = 0; // futures finished, over all choices
    std::array<std::vector<ForecastYear>, 3> tables; // one per finished choice
    std::string failure; // why it stopped early, or empty
};
extern ForecastState forecast;

// Starts the futures of the herd in `savedGame` (a saved game's text) with `seed`; any earlier
// run is stopped first.
void startForecast(const std::string& savedGame, std::uint32_t seed);

// Takes what the running simulator has sent, and starts the next choice when one is done.
// Never waits. True when something the page shows has changed.
bool pollForecast();

// Stops the simulator and its game processes and reaps them; nothing stays behind.
void stopForecast();

// A seed from the system's entropy: the game's own generator must not move.
std::uint32_t freshForecastSeed();

} // namespace report
