// The fixed numbers by which the game names its windows, the main window's controls, tool bar
// and status bar, and its pictures to the window layer. The report's and the help window's
// controls are numbered in report/numbers.h and app/numbers.h, which checks them all together.
#pragma once

namespace map {

// ---- Windows ------------------------------------------------------------------------------
constexpr int MainWindow = 0;
constexpr int HelpWindow = 1;
constexpr int ReportWindow = 2;
constexpr int HistoryWindow = 3; // the report's charts "Verlauf", larger and resizable
constexpr int HelpPageWindow = 4; // the help page itself, where no browser can show it

// ---- Controls of the main window (unique across all windows) ------------------------------
constexpr int MapPicture = 0;       // the drawn map, 900 x 640 at (5, 30)
constexpr int ModeCaption = 1;      // "Modus"
constexpr int ModeIndicator = 2;    // picture of the current mode
constexpr int AnimalInfoBox = 3;    // text of the last animal right-clicked
constexpr int CarriedIndicator = 4; // big icon of the carried animal, or empty
constexpr int RifleButton = 5;
constexpr int BasketButton = 6;
constexpr int KeepingButton = 7;
constexpr int YearButton = 8; // "Runde"

// Where the map control sits in the main window's client area: map coordinates are client
// coordinates minus this corner.
constexpr int MapLeft = 5;
constexpr int MapTop = 30;

// ---- Tool bar and status bar of the main window --------------------------------------------
constexpr int MainToolBar = 0;
constexpr int NewGameButton = 9;
constexpr int AreaBordersToggle = 10;
constexpr int ReportButton = 11;
constexpr int HelpButton = 12;
constexpr int OpenButton = 24;
constexpr int SaveButton = 25;

constexpr int MainStatusBar = 0;
constexpr int StatusFieldCount = 5;

// ---- Pictures -------------------------------------------------------------------------------
constexpr int PlainMapPicture = 0;  // map background
constexpr int BorderMapPicture = 1; // map background with the Area borders drawn in
constexpr int WorkMapPicture = 2;   // the frame the map drawing paints and the window shows
constexpr int AreasPicture = 3;     // Area n painted as red n, green 0, blue 0; never shown
constexpr int FirstBigIcon = 4;     // 4..9 big icons (an animal's iconPicture): blue, red,
                                    // yellow, green, orange, violet
constexpr int SmallIconOffset = 6;  // small icon = big icon + 6
constexpr int RiflePicture = 16;
constexpr int BasketPicture = 17;
constexpr int KeepingPicture = 18;
constexpr int BordersToolPicture = 19;
constexpr int PictureCount = 20;
// The tool bar's own icons, shown where the desktop's icon theme lacks the standard ones.
constexpr int NewGameToolPicture = 20;
constexpr int ReportToolPicture = 21;
constexpr int HelpToolPicture = 22;
constexpr int OpenToolPicture = 23;
constexpr int SaveToolPicture = 24;
constexpr int ToolPictureCount = 5;

// The picture ModeIndicator shows for each intervention mode (Keeping, Rifle, Basket).
constexpr int ModePictures[3] = {KeepingPicture, RiflePicture, BasketPicture};

} // namespace map
