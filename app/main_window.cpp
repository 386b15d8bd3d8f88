// The main window: building it, and turning clicks on it into the game's actions.
#include "app/main_window.h"

#include "app/help.h"
#include "app/startup.h"
#include "map/redraw.h"
#include "model/builtin_data.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/numbers.h"
#include "report/report.h"

namespace app {

using namespace model;

namespace {

void newGameRedraw() {
    map::redrawMap(); // ends with the status bar
}

// The cursor in map coordinates, read now rather than taken from the event.
void mapPoint(std::int32_t& mx, std::int32_t& my) {
    int cx = -1;
    int cy = -1;
    ui::cursorPosition(MainWindow, cx, cy);
    mx = cx - MapLeft;
    my = cy - MapTop;
}

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
        newGame();
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
    default:
        return;
    }
}

} // namespace

void leftClickAt(std::int32_t mx, std::int32_t my) {
    if (leftClick(mx, my)) map::redrawMap();
}

void rightClickAt(std::int32_t mx, std::int32_t my) {
    if (selectAnimalAt(mx, my)) map::showAnimalInfo();
}

void chooseMode(Mode mode) {
    static constexpr int pictures[] = {KeepingPicture, RiflePicture, BasketPicture};
    setInterventionMode(mode);
    ui::setControlPicture(ModeIndicator, pictures[mode]);
    map::redrawMap();
}

void runYear() {
    yearStep();
    map::redrawMap();
    if (herdEmpty()) {
        ui::messageBox("Ende", "Keine Population mehr vorhanden");
        newGame();
    }
}

bool buildMainWindow() {
    if (!ui::openWindow(MainWindow, 0, 0, 1000, 700, WindowTitle,
                        ui::TitleBar | ui::SizingBorder | ui::CentreOnScreen))
        return false;
    if (ui::setControlParent(MainWindow)) {
        ui::createPictureControl(MapPicture, MapLeft, MapTop, MapWidth, MapHeight, WorkMapPicture);
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
        ui::addToolButton(MainToolBar, NewGameButton, ui::StandardIcon::NewDocument);
        ui::addToolPictureButton(MainToolBar, AreaBordersToggle, BordersToolPicture, true);
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
        for (int i = 0; i < StatusFieldCount; ++i)
            ui::addStatusField(MainStatusBar, 200);
    }
    setNewGameRedrawHook(&newGameRedraw);
    newGame();
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
