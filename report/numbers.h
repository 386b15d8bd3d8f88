// The controls of the report window "GenPool" (unique across all windows: app/numbers.h).
#pragma once

namespace report {

constexpr int ReportPanel = 13;
constexpr int GeneOneLabel = 14;
constexpr int GeneTwoLabel = 15;
constexpr int RedLabel = 16;
constexpr int YellowLabel = 17;
constexpr int BlueLabel = 18;
constexpr int GenePoolGrid = 19;
constexpr int HerdListView = 20;
constexpr int NoGeneLabel = 21;
constexpr int HistoryChart = 23; // the charts on the page "Verlauf"

} // namespace report
