// A scripted session of the real game for leak checkers (`make leakcheck` runs it under
// valgrind): the game's own start-up, main loop and shut-down in the folder given as argument
// (its Media/ is used), with a player's clicks fed in by a timer while the loop runs. The screen
// is set up by tests/support/offscreen.cpp.
#include "app/help.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "model/herd.h"
#include "model/numbers.h"
#include "report/report.h"
#include "ui/qt_access.h"

#include <QCursor>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <iterator>
#include <unistd.h>

namespace {

enum Kind { Control, Tool, AnimalLeft, AnimalRight, Close, Closed };

// One step a tick: clicks on controls, tool bar items and the first animal; a secondary window
// closed once it is open, and waited for until it is gone.
constexpr std::pair<Kind, int> Script[] = {{Control, model::YearButton},
                                           {Control, model::YearButton},
                                           {Control, model::YearButton},
                                           {AnimalRight, 0},
                                           {Control, model::BasketButton},
                                           {AnimalLeft, 0},
                                           {Control, model::KeepingButton},
                                           {Control, model::RifleButton},
                                           {AnimalLeft, 0},
                                           {Tool, model::AreaBordersToggle},
                                           {Tool, model::ReportButton},
                                           {Close, model::ReportWindow},
                                           {Closed, model::ReportWindow},
                                           {Tool, model::HelpButton},
                                           {Close, model::HelpWindow},
                                           {Closed, model::HelpWindow},
                                           {Tool, model::NewGameButton},
                                           {Control, model::YearButton},
                                           {Close, model::MainWindow}};

// Whether the step is done; one that waits for a window is asked again on the next tick.
bool perform(Kind kind, int number) {
    QWidget* mapWidget = ui::controlWidget(model::MapPicture);
    QPoint at(450, 320);
    if (!model::herdEmpty()) at = QPoint(model::herdBegin()->x, model::herdBegin()->y);
    switch (kind) {
    case Control:
        QTest::mouseClick(ui::controlWidget(number), Qt::LeftButton);
        return true;
    case Tool:
        QTest::mouseClick(ui::toolItemWidget(model::MainToolBar, number), Qt::LeftButton);
        return true;
    case AnimalLeft:
    case AnimalRight:
        QCursor::setPos(mapWidget->mapToGlobal(at));
        QTest::mouseClick(mapWidget, kind == AnimalLeft ? Qt::LeftButton : Qt::RightButton, {}, at);
        return true;
    case Close:
        if (!ui::windowExists(number)) return false;
        ui::windowWidget(number)->close();
        return true;
    case Closed:
        return !ui::windowExists(number);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: leak_session <folder holding Media/>\n");
        return 2;
    }
    app::startUp();
    if (!app::buildMainWindow()) return 1;
    std::size_t next = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (next < std::size(Script) && perform(Script[next].first, Script[next].second)) ++next;
    });
    ticker.start(20);
    app::runMainLoop();
    ticker.stop();
    app::shutDown();
    std::printf("session done: %zu of %zu steps\n", next, std::size(Script));
    return next == std::size(Script) ? 0 : 1;
}
