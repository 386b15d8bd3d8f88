// The main window: building it, the player's interventions on the map and the main loop.
#include "app/main_window.h"

#include "app/help.h"
#include "app/startup.h"
#include "map/main_controls.h"
#include "map/redraw.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/tables.h"
#include "report/report.h"
#include "ui/picture.h"

namespace app {

std::int32_t InterventionMode = Keeping;

namespace {

using namespace map;

void newGameRedraw() {
    redrawMap();
    updateStatusBar();
}

// The cursor in map coordinates, read now rather than taken from the event.
void mapPoint(std::int32_t& mx, std::int32_t& my) {
    int cx = -1;
    int cy = -1;
    ui::cursorPosition(MainWindow, cx, cy);
    mx = cx - MapLeft;
    my = cy - MapTop;
}

void release(std::int32_t mx, std::int32_t my) {
    if (!ui::openDrawing(model::AreasPicture)) return;
    const std::int32_t v = ui::readPixel(mx, my);
    if (model::isArea(v)) {
        model::Animal& a = *model::CarriedAnimal;
        a.x = mx;
        a.y = my;
        a.area = v;
        model::CarriedAnimal = nullptr;
    }
    ui::closeDrawing();
    redrawMap();
}

} // namespace

void leftClickAt(std::int32_t mx, std::int32_t my) {
    if (model::CarriedAnimal) {
        release(mx, my);
        return;
    }
    model::Animal* hit = hitTest(mx, my);
    if (!hit) return;
    if (InterventionMode == Rifle) {
        model::herdRemove(hit);
        redrawMap();
    } else if (InterventionMode == Basket) {
        model::CarriedAnimal = hit;
        redrawMap();
    }
}

void rightClickAt(std::int32_t mx, std::int32_t my) {
    if (model::Animal* hit = hitTest(mx, my)) {
        model::setHerdCurrent(hit);
        showAnimalInfo();
    }
}

void chooseMode(Mode mode) {
    static constexpr int pictures[] = {model::KeepingPicture, model::RiflePicture,
                                       model::BasketPicture};
    InterventionMode = mode;
    // Only the basket keeps what it carries; the others put it back where it was.
    if (mode != Basket) model::CarriedAnimal = nullptr;
    ui::setControlPicture(ModeIndicator, pictures[mode]);
    redrawMap();
}

void runYear() {
    model::yearStep();
    redrawMap();
    if (model::herdEmpty()) {
        ui::messageBox("Ende", "Keine Population mehr vorhanden");
        model::newGame();
    }
}

namespace {

void controlEvent(const ui::Event& ev) {
    switch (ev.item) {
    case MapPicture: {
        if (ev.type != ui::LeftClick && ev.type != ui::RightClick) return;
        std::int32_t mx = 0;
        std::int32_t my = 0;
        mapPoint(mx, my);
        if (ev.type == ui::LeftClick) {
            leftClickAt(mx, my);
        } else {
            rightClickAt(mx, my);
        }
        return;
    }
    case RifleButton:
        chooseMode(Rifle);
        return;
    case BasketButton:
        chooseMode(Basket);
        return;
    case KeepingButton:
        chooseMode(Keeping);
        return;
    case YearButton:
        runYear();
        return;
    default:
        return;
    }
}

void toolBarEvent(const ui::Event& ev) {
    switch (ev.item) {
    case NewGameButton:
        model::newGame();
        return;
    case AreaBordersToggle:
        redrawMap();
        return;
    case ReportButton:
        report::showHerdReport();
        return;
    case HelpButton:
        showHelp();
        return;
    default:
        return;
    }
}

} // namespace

model::Animal* hitTest(std::int32_t mx, std::int32_t my) {
    const std::int64_t x = mx;
    const std::int64_t y = my;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        const std::int64_t half = model::footprintHalf(it->sizeClass);
        if (it->x - half <= x && x <= it->x + half && it->y - half <= y && y <= it->y + half)
            return &*it;
    }
    return nullptr;
}

bool buildMainWindow() {
    if (!ui::openWindow(MainWindow, 0, 0, 1000, 700, WindowTitle,
                        ui::TitleBar | ui::SizingBorder | ui::CentreOnScreen))
        return false;
    if (ui::setControlParent(MainWindow)) {
        ui::createPictureControl(MapPicture, MapLeft, MapTop, 900, 640, model::WorkMapPicture);
        ui::createLabel(ModeCaption, 910, 30, 80, 15, "Modus", ui::LabelCentred | ui::LabelSunken);
        ui::createPictureControl(ModeIndicator, 925, 50, 80, 25, model::KeepingPicture);
        ui::createTextBox(AnimalInfoBox, 910, 100, 80, 100);
        ui::createPictureControl(CarriedIndicator, 910, 240, 50, 30, ui::NoPicture);
        ui::createPictureButton(RifleButton, 910, 350, 80, 25, model::RiflePicture);
        ui::createPictureButton(BasketButton, 910, 390, 80, 25, model::BasketPicture);
        ui::createButton(KeepingButton, 910, 430, 80, 25, "Hege");
        ui::createButton(YearButton, 910, 650, 80, 25, "Runde");
        ui::setAccessibleName(RifleButton, "Gewehr");
        ui::setAccessibleName(BasketButton, "Korb");
    }
    if (ui::createToolBar(MainToolBar, MainWindow)) {
        ui::addToolButton(MainToolBar, NewGameButton, ui::StandardIcon::NewDocument);
        ui::addToolPictureButton(MainToolBar, AreaBordersToggle, model::BordersToolPicture, true);
        ui::addToolSeparator(MainToolBar);
        ui::addToolButton(MainToolBar, ReportButton, ui::StandardIcon::Properties);
        ui::addToolSeparator(MainToolBar);
        ui::addToolButton(MainToolBar, HelpButton, ui::StandardIcon::Help);
        ui::setToolItemAccessibleName(MainToolBar, NewGameButton, "Neues Spiel");
        ui::setToolItemAccessibleName(MainToolBar, AreaBordersToggle, "Gebietsgrenzen");
        ui::setToolItemAccessibleName(MainToolBar, ReportButton, "Bericht");
        ui::setToolItemAccessibleName(MainToolBar, HelpButton, "Hilfe");
    }
    if (ui::createStatusBar(MainStatusBar, MainWindow)) {
        for (int i = 0; i < 5; ++i)
            ui::addStatusField(MainStatusBar, 200);
    }
    model::setNewGameRedrawHook(&newGameRedraw);
    model::newGame();
    return true;
}

void handleMainEvent(const ui::Event& ev) {
    if (ev.kind == ui::EventKind::Control) controlEvent(ev);
    if (ev.kind == ui::EventKind::ToolBar) toolBarEvent(ev);
}

void runMainLoop() {
    for (;;) {
        const ui::Event ev = ui::pollEvent();
        handleMainEvent(ev);
        ui::sleepMs(1);
        if (ev.kind == ui::EventKind::Close) return;
    }
}

} // namespace app
