// Showing the map, the status bar and an animal's data in the main window.
#include "map/redraw.h"

#include "map/compose.h"
#include "map/history.h"
#include "map/info.h"
#include "map/statistics.h"
#include "model/figures.h"
#include "model/herd.h"
#include "ui/window.h"

namespace map {

void redrawMap() {
    const bool borders = ui::isToolItemDown(MainToolBar, AreaBordersToggle);
    int carriedIcon = ui::NoPicture;
    if (composeMap(borders, model::CarriedAnimal, carriedIcon)) {
        ui::setControlPicture(CarriedIndicator, carriedIcon);
    }
    // Setting the picture again makes the control show the new frame (or nothing without one).
    ui::setControlPicture(MapPicture, WorkMapPicture);
    updateStatusBar();
}

void updateStatusBar() {
    const model::YearFigures figures = model::takeFigures();
    const auto texts = statusTexts(figures);
    for (int field = 0; field < StatusFieldCount; ++field)
        ui::setStatusText(MainStatusBar, field, texts[field]);
    noteYear(figures);
}

void showAnimalInfo(const model::Animal& a) {
    ui::setControlText(AnimalInfoBox, animalInfoText(a));
}

} // namespace map
