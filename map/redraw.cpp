// Showing the map, the status bar and an animal's data in the main window.
#include "map/redraw.h"

#include "map/compose.h"
#include "map/history.h"
#include "map/info.h"
#include "map/statistics.h"
#include "model/herd.h"
#include "model/numbers.h"
#include "ui/window.h"

namespace map {

using namespace model;

void redrawMap() {
    const bool borders = ui::isToolItemDown(MainToolBar, AreaBordersToggle);
    int carriedIcon = ui::NoPicture;
    if (composeMap(borders, CarriedAnimal, carriedIcon)) {
        ui::setControlPicture(CarriedIndicator, carriedIcon);
    }
    // Setting the picture again makes the control show the new frame (or nothing without one).
    ui::setControlPicture(MapPicture, WorkMapPicture);
    updateStatusBar();
}

void updateStatusBar() {
    const auto texts = statusTexts();
    for (int field = 0; field < StatusFieldCount; ++field)
        ui::setStatusText(MainStatusBar, field, texts[field]);
    noteYear();
}

void showAnimalInfo() {
    if (const Animal* a = herdCurrent()) ui::setControlText(AnimalInfoBox, animalInfoText(*a));
}

} // namespace map
