// Numbers of the main window and the objects on it, shared by the window and the map drawing.
#pragma once

namespace map {

constexpr int MainWindow = 0;

// Controls of the main window.
enum MainControl : int {
    MapPicture = 0,       // the drawn map, 900 x 640 at (5, 30)
    ModeCaption = 1,      // "Modus"
    ModeIndicator = 2,    // picture of the current mode
    AnimalInfoBox = 3,    // text of the last animal right-clicked
    CarriedIndicator = 4, // big icon of the carried animal, or empty
    RifleButton = 5,
    BasketButton = 6,
    KeepingButton = 7,
    YearButton = 8, // "Runde"
};

// Where the map control sits in the main window's client area.
constexpr int MapLeft = 5;
constexpr int MapTop = 30;

constexpr int MainToolBar = 0;
enum ToolItem : int {
    NewGameButton = 9,
    AreaBordersToggle = 10,
    ReportButton = 11,
    HelpButton = 12,
};

constexpr int MainStatusBar = 0;

} // namespace map
