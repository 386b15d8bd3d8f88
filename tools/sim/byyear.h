// The by-year table: over all games of a batch, the share alive and the herd's figures per year.
#pragma once

#include "tools/sim/game.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// Gathered from the games in run order. A game that ended early (its herd died out without
// --restart) stays as its last row showed it: no animal, the score of an empty herd.
struct YearTable {
    std::int64_t runs = 0;
    std::int64_t years = 0;
    bool figures = false;             // whether the games' YearRecords are gathered
    std::vector<std::int64_t> extant; // per year: games whose row shows animals
    std::vector<std::int64_t> neverDied; // per year: games not yet died out once
    std::vector<std::int64_t> diedIn;    // per year: games that died out in it
    // Only with `figures`:
    std::vector<std::int32_t> animals; // [year * runs + run]
    std::vector<std::int64_t> genepoolSum, illSum;
    std::vector<std::array<std::int64_t, 12>> present; // per year: games with each `present` bit
};

// Sized for `runs` games of `years` years; `figures`: the games bring their YearRecords.
YearTable startTable(std::int64_t runs, std::int64_t years, bool figures);

// Adds game `run`. `restart`: whether a game that died out played on.
void addGame(YearTable& t, std::int64_t run, bool restart, const GameResult& game);

// The first year in which fewer than half the games are alive (or, with `neverDied`, have
// never died out), or -1.
std::int64_t firstYearBelowHalf(const YearTable& t, bool neverDied = false);

// One line of the by-year CSV.
struct YearStats {
    std::int64_t year = 0, runs = 0, extant = 0;
    double pExtant = 0, pExtantLo = 0, pExtantHi = 0;
    // Undefined figures are NaN and written as empty cells: the sd of a single game, the mean
    // over the living games when none lives.
    double animalsMean = 0, animalsSd = 0, animalsP10 = 0, animalsMedian = 0, animalsP90 = 0;
    double animalsMeanExtant = 0;
    double genepoolMean = 0;
    std::array<double, 12> pPresent{}; // p_rr..p_bb, p_red, p_yellow, p_blue
    double illMean = 0;
    // Persistence, which p_extant is not under --restart: games not yet died out once by this
    // year, and the extinctions per game up to it.
    std::int64_t neverDied = 0;
    double pNeverDied = 0, pNeverDiedLo = 0, pNeverDiedHi = 0;
    double extinctionsMean = 0;
};

// The figures of every year; needs a table with `figures`. Sorts each year's animal counts.
std::vector<YearStats> yearStats(YearTable& t);

// Header and rows, newline-terminated, numbers with at most 6 significant digits.
std::string byYearCsv(const std::vector<YearStats>& stats);

// Wilson score interval (95 %, z = 1.959964) of `k` successes in `n` trials, n > 0.
void wilsonInterval(std::int64_t k, std::int64_t n, double& lo, double& hi);

// The p-quantile of ascending `sorted` values (not empty), interpolating linearly between the
// order statistics at (size - 1) * p.
double quantile(const std::int32_t* sorted, std::size_t size, double p);

} // namespace sim
