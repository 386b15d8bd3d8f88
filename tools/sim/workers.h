// Playing a batch's games in separate processes and taking their output back in run order.
#pragma once

#include "tools/sim/batch.h"
#include "tools/sim/game.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace sim {

// The cores this process may run on (at least 1).
int availableCores();

// Takes each game's output in run order: its rows (in pieces, several games' at a time), then
// the game. A game's last rows may come after the game itself, but before any later game's.
struct GameReceiver {
    std::function<bool(const std::vector<std::string_view>& pieces)> rows; // false: it failed
    std::function<void(std::int64_t run, const GameResult& game)> done;
};

// Plays games 0 .. runs-1 of `setup` in `jobs` (2 or more) forked processes, each taking the
// next game no other has taken. Each process has its own copy of the model's global state, so
// the games play exactly as they would here, and `receiver` sees them as if they had been
// played one after the other. Returns Stopped when StopRequested is set, WorkerFailed when a
// process could not be started or ended before its last game.
BatchEnd playInWorkers(const GameSetup& setup, int jobs, const GameReceiver& receiver);

} // namespace sim
