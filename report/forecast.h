// The page "Prognose": the futures of the herd on the screen under three keeper choices, read
// from the simulator's by-year table, and the sentences and charts made of them.
#pragma once

#include "ui/chart.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace report {

constexpr int ForecastRuns = 1000;
constexpr int ForecastYears = 50;

// A keeper's choice: the simulator's --policy word and the page's German name.
struct ForecastChoice {
    const char* policy;
    const char* name;
};
constexpr std::array<ForecastChoice, 3> ForecastChoices{{{"none", "Ohne Eingriff"},
                                                         {"cull", "Überzählige schießen"},
                                                         {"spread", "Leere Gebiete besetzen"}}};

// One row of the by-year table, as far as the page uses it. An empty cell (undefined) is NaN.
struct ForecastYear {
    int year = 0;
    double alive = 0, aliveLow = 0, aliveHigh = 0; // share of futures with animals, Wilson 95 %
    double animalsMean = 0, animalsP10 = 0, animalsMedian = 0, animalsP90 = 0;
    double genePoolMean = 0;
};

// Reads the simulator's by-year CSV by its header's column names. False with a one-line
// message when a column is missing or a cell is not a number.
bool parseForecastTable(std::string_view csv, std::vector<ForecastYear>& years, std::string& error);

// "Ohne Eingriff lebt die Herde in 50 Jahren mit 38 % (35–41 %) Wahrscheinlichkeit; im Mittel
// 6 Tiere." from the table's last year.
std::string forecastSentence(const ForecastChoice& choice, const std::vector<ForecastYear>& years);

// The command that gives the same figures from the game saved now.
std::string reproduceLine(std::uint32_t seed);

// Three charts: the share alive with its band, the median animals with the 10–90 % band and the
// mean gene-pool score, one look per choice; `tables[i]` empty while choice i is not done.
std::vector<ui::Chart> forecastCharts(const std::array<std::vector<ForecastYear>, 3>& tables);

} // namespace report
