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
// The page's buttons, and the charts of the larger window (map::HistoryWindow).
constexpr int LargerChartsButton = 30; // "Größer anzeigen"
constexpr int SaveTableButton = 31;    // "Als Tabelle speichern…"
constexpr int SavePictureButton = 32;  // "Als Bild speichern…"
constexpr int LargerHistoryChart = 33;
// The page "Prognose".
constexpr int ForecastProgress = 40; // "312 von 3000 Zukünften", or why there is no forecast
constexpr int ForecastText = 41;     // a sentence per choice and the command that repeats it
constexpr int ForecastChart = 42;

} // namespace report
