// The main window: building it, and turning clicks on it into the game's actions.
#include "app/main_window.h"

#include "app/game_file.h"
#include "app/help.h"
#include "app/numbers.h"
#include "app/startup.h"
#include "map/redraw.h"
#include "model/areas.h"
#include "model/builtin_data.h"
#include "model/game.h"
#include "model/herd.h"
#include "report/report.h"

namespace app {

using namespace map;
using model::Mode;

namespace {

void controlEvent(const ui::Event& ev) {
    switch (ev.item) {
    case MapPicture: {
        if (ev.type != ui::LeftClick && ev.type != ui::RightClick) return;
        // The click's point in the window, made a map point.
        const std::int32_t mx = ev.x - MapLeft;
        const std::int32_t my = ev.y - MapTop;
        if (ev.type == ui::LeftClick) {
            leftClickAt(mx, my);
        } else {
            rightClickAt(mx, my);
        }
        return;
    }
    case RifleButton:
        chooseMode(model::Rifle);
        return;
    case BasketButton:
        chooseMode(model::Basket);
        return;
    case KeepingButton:
        chooseMode(model::Keeping);
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
        startNewGame();
        return;
    case AreaBordersToggle:
        map::redrawMap();
        return;
    case ReportButton:
        report::showHerdReport();
        return;
    case HelpButton:
        showHelp();
        return;
    case OpenButton:
        openGameFile();
        return;
    case SaveButton:
        saveGameAs();
        return;
    default:
        return;
    }
}

} // namespace

void startNewGame() {
    model::newGame();
    map::redrawMap(); // ends with the status bar
}

void leftClickAt(std::int32_t mx, std::int32_t my) {
    if (model::leftClick(mx, my)) map::redrawMap();
}

void rightClickAt(std::int32_t mx, std::int32_t my) {
    if (const model::Animal* a = model::selectAnimalAt(mx, my)) map::showAnimalInfo(*a);
}

void chooseMode(Mode mode) {
    model::setInterventionMode(mode);
    ui::setControlPicture(ModeIndicator, ModePictures[mode]);
    map::redrawMap();
}

void runYear() {
    model::yearStep();
    map::redrawMap();
    if (model::herdEmpty()) {
        ui::messageBox("Ende", "Keine Population mehr vorhanden");
        startNewGame();
    }
}

bool buildMainWindow() {
    if (!ui::openWindow(MainWindow, 0, 0, 1000, 700, WindowTitle,
                        ui::TitleBar | ui::SizingBorder | ui::CentreOnScreen))
        return false;
    if (ui::setControlParent(MainWindow)) {
        ui::createPictureControl(MapPicture, MapLeft, MapTop, model::MapWidth, model::MapHeight,
                                 WorkMapPicture);
        ui::createLabel(ModeCaption, 910, 30, 80, 15, "Modus", ui::LabelCentred | ui::LabelSunken);
        ui::createPictureControl(ModeIndicator, 925, 50, 80, 25, KeepingPicture);
        ui::createTextBox(AnimalInfoBox, 910, 100, 80, 100);
        ui::createPictureControl(CarriedIndicator, 910, 240, 50, 30, ui::NoPicture);
        ui::createPictureButton(RifleButton, 910, 350, 80, 25, RiflePicture);
        ui::createPictureButton(BasketButton, 910, 390, 80, 25, BasketPicture);
        ui::createButton(KeepingButton, 910, 430, 80, 25, "Hege");
        ui::createButton(YearButton, 910, 650, 80, 25, "Runde");
        ui::setAccessibleName(RifleButton, "Gewehr");
        ui::setAccessibleName(BasketButton, "Korb");
    }
    if (ui::createToolBar(MainToolBar, MainWindow)) {
        ui::addToolButton(MainToolBar, NewGameButton, ui::StandardIcon::NewDocument,
                          NewGameToolPicture);
        ui::addToolPictureButton(MainToolBar, AreaBordersToggle, BordersToolPicture, true);
        ui::addToolSeparator(MainToolBar);
        ui::addToolButton(MainToolBar, ReportButton, ui::StandardIcon::Properties,
                          ReportToolPicture);
        ui::addToolSeparator(MainToolBar);
        ui::addToolButton(MainToolBar, HelpButton, ui::StandardIcon::Help, HelpToolPicture);
        ui::addToolSeparator(MainToolBar);
        ui::addToolButton(MainToolBar, OpenButton, ui::StandardIcon::Open, OpenToolPicture);
        ui::addToolButton(MainToolBar, SaveButton, ui::StandardIcon::Save, SaveToolPicture);
        ui::setToolItemAccessibleName(MainToolBar, NewGameButton, "Neues Spiel");
        ui::setToolItemAccessibleName(MainToolBar, AreaBordersToggle, "Gebietsgrenzen");
        ui::setToolItemAccessibleName(MainToolBar, ReportButton, "Bericht");
        ui::setToolItemAccessibleName(MainToolBar, HelpButton, "Hilfe");
        ui::setToolItemAccessibleName(MainToolBar, OpenButton, "Öffnen");
        ui::setToolItemAccessibleName(MainToolBar, SaveButton, "Speichern");
    }
    if (ui::createStatusBar(MainStatusBar, MainWindow)) {
        for (int i = 0; i < StatusFieldCount; ++i)
            ui::addStatusField(MainStatusBar, 200);
    }
    // Taken once: a saved game named on the command line has needed it already.
    if (!model::hasAreaMap()) takeAreaMap();
    startNewGame();
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
