// The charts of the report's page "Verlauf": the current game's history as chart descriptions.
#pragma once

#include "ui/chart.h"

#include <vector>

namespace report {

// Two charts from map::History, year on the horizontal axis: "Tiere" (animals, births, deaths)
// and "Genpool" (the nine gene-pair counts stacked in their icons' colours, the score over
// them). A thinned history says so in both titles.
std::vector<ui::Chart> historyCharts();

} // namespace report
