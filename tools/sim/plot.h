// The charts of selvo-sim's --plot: the by-year figures as pictures for people.
#pragma once

#include "tools/sim/byyear.h"
#include "tools/sim/options.h"
#include "ui/chart.h"

#include <string>
#include <vector>

namespace sim {

// Share alive with its interval (with `restart` also the share never died out), animals (median
// with the 10 to 90 % band, and the mean), the gene-pool score's mean, and the share of games
// still carrying each colour gene.
std::vector<ui::Chart> yearCharts(const std::vector<YearStats>& stats, bool restart = false);

// An axis from `lo` to `hi` widened to whole steps of 1, 2 or 5 times a power of ten, with at
// most about eight of them, and at least 1 wide.
ui::ChartAxis niceAxis(const std::string& title, double lo, double hi);

// The policies as the charts name them, in German ("Ohne Eingriff" for none); the command line
// keeps its words none, cull and spread.
std::string policyTitle(const std::vector<Policy>& policies);

// The line above the charts: runs, years, seed and the policies' German names.
std::string chartHeading(const Options& options);

// The charts as options.plotFormat bytes. False with a one-line message.
bool renderPlot(const Options& options, const std::vector<YearStats>& stats, std::string& bytes,
                std::string& error);

} // namespace sim
