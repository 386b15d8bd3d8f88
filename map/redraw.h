// Showing the map, the status bar and an animal's data in the main window.
#pragma once

namespace map {

// Composes the map anew (borders as AreaBordersToggle says), shows it in MapPicture, shows the
// carried animal's big icon in CarriedIndicator (or empties it), then updateStatusBar().
void redrawMap();

// Writes the five status-bar texts; also rebuilds GenePoolTable and notes the year in the
// History.
void updateStatusBar();

// Shows the Herd's current animal in AnimalInfoBox; nothing when there is none.
void showAnimalInfo();

} // namespace map
