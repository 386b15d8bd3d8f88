// One game of a batch: its CSV rows, and what the batch's totals and by-year table need of it.
#pragma once

#include "model/savegame.h"
#include "tools/sim/options.h"
#include "tools/sim/policy.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sim {

// One year of one game, reduced to what the by-year table needs.
struct YearRecord {
    std::int32_t animals = 0;
    std::int32_t genepool = 0;
    std::int32_t ill = 0;
    // Bits 0..8: the gene pairs rr..bb present (column order); bits 9..11: red, yellow and
    // blue carried by some animal.
    std::uint32_t present = 0;
};
constexpr int FirstColourBit = 9;

struct GameResult {
    std::int64_t years = 0;               // yearly steps made
    std::int64_t animalYears = 0;         // over steps: the herd size each step began with
    std::vector<std::int32_t> emptyYears; // years whose row shows no animal, ascending
    std::int32_t lastAnimals = 0;         // in the game's last row
    std::int32_t lastGenepool = 0;
    std::vector<YearRecord> records; // year 0 on, when asked for
};

// What every game of a batch shares.
struct GameSetup {
    Options options;
    ReleasePoints points{}; // needed by spread only
    bool records = false;   // whether games keep a YearRecord per year
    const model::SavedGame* start = nullptr; // where each game starts; nullptr: the founders
};

enum class GameEnd { Done, Stopped, DrainFailed };

// Receives the rows gathered so far in `csv` (whole rows) and empties it; false when it could
// not take them.
using Drain = std::function<bool(std::string& csv)>;

// Plays game `run` (seed options.seed + run) on the model and appends its rows to `csv`, calling
// `drain` whenever that holds a chunk's worth; the rows left at the end stay in `csv`. Stops
// after a year when StopRequested is set.
GameEnd playGame(const GameSetup& setup, std::int64_t run, std::string& csv, const Drain& drain,
                 GameResult& result);

// About how much CSV text is handed on at a time.
constexpr std::size_t ChunkBytes = 1 << 16;

} // namespace sim
