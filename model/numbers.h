// The fixed numbers by which the game names its windows, controls, tool bar, status bar and
// pictures to the window layer. Every number the game gives the layer is defined here once.
#pragma once

#include <algorithm>
#include <array>

namespace model {

// ---- Windows ------------------------------------------------------------------------------
constexpr int MainWindow = 0;
constexpr int HelpWindow = 1;
constexpr int ReportWindow = 2;

// ---- Controls (unique across all windows) -------------------------------------------------
// Main window.
constexpr int MapPicture = 0;       // the drawn map, 900 x 640 at (5, 30)
constexpr int ModeCaption = 1;      // "Modus"
constexpr int ModeIndicator = 2;    // picture of the current mode
constexpr int AnimalInfoBox = 3;    // text of the last animal right-clicked
constexpr int CarriedIndicator = 4; // big icon of the carried animal, or empty
constexpr int RifleButton = 5;
constexpr int BasketButton = 6;
constexpr int KeepingButton = 7;
constexpr int YearButton = 8; // "Runde"
// Report window "GenPool".
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
// Help window.
constexpr int HelpLink = 22;

constexpr std::array<int, 20> AllControls = {
    MapPicture,   ModeCaption,  ModeIndicator, AnimalInfoBox, CarriedIndicator,
    RifleButton,  BasketButton, KeepingButton, YearButton,    ReportPanel,
    GeneOneLabel, GeneTwoLabel, RedLabel,      YellowLabel,   BlueLabel,
    GenePoolGrid, HerdListView, NoGeneLabel,   HistoryChart,  HelpLink,
};

// The layer keeps one table of controls for all windows, so a number used twice would make one
// window's control replace another's.
constexpr bool allDistinct(std::array<int, AllControls.size()> numbers) {
    std::sort(numbers.begin(), numbers.end());
    return std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end();
}
static_assert(allDistinct(AllControls), "control numbers must be unique across all windows");

// Where the map control sits in the main window's client area: map coordinates are cursor
// coordinates minus this corner.
constexpr int MapLeft = 5;
constexpr int MapTop = 30;

// ---- Tool bar and status bar of the main window --------------------------------------------
constexpr int MainToolBar = 0;
constexpr int NewGameButton = 9;
constexpr int AreaBordersToggle = 10;
constexpr int ReportButton = 11;
constexpr int HelpButton = 12;

constexpr int MainStatusBar = 0;
constexpr int StatusFieldCount = 5;

// ---- Pictures -------------------------------------------------------------------------------
constexpr int PlainMapPicture = 0;  // map background
constexpr int BorderMapPicture = 1; // map background with the Area borders drawn in
constexpr int WorkMapPicture = 2;   // the frame the map drawing paints and the window shows
constexpr int AreasPicture = 3;     // Area n painted as red n, green 0, blue 0; never shown
constexpr int FirstBigIcon = 4;     // 4..9 big icons: blue, red, yellow, green, orange, violet
constexpr int SmallIconOffset = 6;  // small icon = big icon + 6
constexpr int RiflePicture = 16;
constexpr int BasketPicture = 17;
constexpr int KeepingPicture = 18;
constexpr int BordersToolPicture = 19;
constexpr int PictureCount = 20;

} // namespace model
