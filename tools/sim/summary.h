// The totals of a batch and the short summary selvo-sim prints on standard error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct BatchTotals {
    std::int64_t runs = 0;                     // games finished
    std::vector<std::int32_t> extinctionYears; // per game that died out: the first such year
    std::int64_t extinctions = 0;              // over games: every time a herd died out
    bool restart = false;                      // whether a game that died out played on
    std::int64_t lastAnimalsSum = 0;           // over games: animals in the game's last row
    std::int64_t lastGenepoolSum = 0;          // over games: genepool in the game's last row
    std::int64_t years = 0;                    // yearly steps simulated
    std::int64_t animalYears = 0;              // over steps: the herd size each step began with
    double seconds = 0;                        // wall time of the whole batch
    std::string policy = "none";               // the policies as --policy names them
    std::int64_t halfLostYear = -1; // first year with fewer than half the games alive, or -1
    std::int64_t halfDiedYear = -1; // first year with fewer than half never died out, or -1
};

// Median of `values` (the mean of the middle two for an even count); 0 for none.
double median(std::vector<std::int32_t> values);

// A few lines, each ending in a newline: runs, years and policy, the games that died out with
// the median year of their first extinction, the year from which fewer than half the herds
// have never died out (without --restart: are alive; with it, also the extinctions per game
// and the year from which fewer than half have animals), the means at the last year and the
// throughput.
std::string summaryText(const BatchTotals& t);

} // namespace sim
