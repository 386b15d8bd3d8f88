// The charts of the report's page "Verlauf": the current game's history as chart descriptions.
#pragma once

#include "ui/chart.h"

#include <string>
#include <vector>

namespace report {

// Three charts from map::History, year on the horizontal axis: "Tiere" (the animals, births and
// the animals carried into another Area as lines over the year's losses stacked by cause),
// "Genpaare" (the nine ordered gene pairs stacked: the colour of their icon, the pattern of
// their first gene) and "Genpool-Wert" (the score on its own axis, never over the pairs). A
// thinned history says so in every title; a single year shows as marks with their values.
std::vector<ui::Chart> historyCharts();

// The name of gene pair k (0..8, as model::YearFigures::pairs): first gene/second gene.
std::string pairName(int k);

} // namespace report
