// The game started from a prepared media folder and played through the window's own functions,
// checking what a missing or damaged picture may and may not change.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>

namespace media_scenario {

struct Scenario {
    // Picture numbers whose file is missing or damaged: they must stay empty.
    std::set<int> empty;
    // The Area value the areas picture gives a point (what founders and releases must get).
    std::function<std::int32_t(std::int32_t x, std::int32_t y)> areaAt;
};

// Starts the game with `folder` as the current folder, plays it and closes it again, reporting
// every broken expectation as a test failure. Meant for a child process: it changes the
// current folder and starts and stops the windowing system.
void play(const std::filesystem::path& folder, const Scenario& scenario);

} // namespace media_scenario
