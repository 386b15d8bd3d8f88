// Showing the map, the status bar and an animal's data in the main window.
#pragma once

#include "model/animal.h"

namespace map {

// Composes the map anew (borders as AreaBordersToggle says), shows it in MapPicture, shows the
// carried animal's big icon in CarriedIndicator (or empties it), then updateStatusBar().
void redrawMap();

// Writes the five status-bar texts of the model's figures and notes them in the History.
void updateStatusBar();

// Shows `a`'s information text in AnimalInfoBox.
void showAnimalInfo(const model::Animal& a);

} // namespace map
