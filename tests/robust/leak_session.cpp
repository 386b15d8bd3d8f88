// A scripted session of the real game for leak checkers (`make leakcheck` runs it under
// valgrind): the game's own start-up, main loop and shut-down, with a player's clicks fed in
// by a timer while the loop runs. Uses the Media/ under the folder given as argument, or the
// drawn test set in a fresh temporary folder.
#include "app/help.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "map/main_controls.h"
#include "model/herd.h"
#include "report/report.h"
#include "tests/robust/media_set.h"
#include "ui/qt_access.h"

#include <QCursor>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

// Offscreen unless a platform was chosen, on a screen that holds the 1000 x 700 window.
void chooseHeadlessScreen(const std::filesystem::path& folder) {
    const std::string config = (folder / "screen.json").string();
    std::ofstream(config)
        << R"({"screens": [{"name": "S", "x": 0, "y": 0, "width": 1280, )"
           R"("height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 0);
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 0);
}

void click(int control, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(ui::controlWidget(control), button);
}

void clickTool(int item) {
    QTest::mouseClick(ui::toolItemWidget(map::MainToolBar, item), Qt::LeftButton);
}

// Clicks the map where an animal stands (or the map's middle when there is none).
void clickAnimal(Qt::MouseButton button) {
    QWidget* mapWidget = ui::controlWidget(map::MapPicture);
    QPoint at(450, 320);
    if (!model::herdEmpty()) at = QPoint(model::herdBegin()->x, model::herdBegin()->y);
    QCursor::setPos(mapWidget->mapToGlobal(at));
    QTest::mouseClick(mapWidget, button, {}, at);
}

// Each step returns whether it is done; a waiting step is asked again on the next tick.
std::vector<std::function<bool()>> script() {
    std::vector<std::function<bool()>> steps;
    const auto once = [&](std::function<void()> action) {
        steps.push_back([action] {
            action();
            return true;
        });
    };
    const auto closeWhenOpen = [&](int window) {
        steps.push_back([window] {
            if (!ui::windowExists(window)) return false;
            ui::windowWidget(window)->close();
            return true;
        });
        steps.push_back([window] { return !ui::windowExists(window); });
    };
    for (int year = 0; year < 5; ++year)
        once([] { click(map::YearButton); });
    once([] { clickAnimal(Qt::RightButton); });
    once([] { click(map::BasketButton); });
    once([] { clickAnimal(Qt::LeftButton); });
    once([] { click(map::KeepingButton); });
    once([] { click(map::RifleButton); });
    once([] { clickAnimal(Qt::LeftButton); });
    once([] { clickTool(map::AreaBordersToggle); });
    once([] { clickTool(map::ReportButton); });
    closeWhenOpen(report::ReportWindow);
    once([] { clickTool(map::HelpButton); });
    closeWhenOpen(app::HelpWindow);
    once([] { clickTool(map::NewGameButton); });
    once([] { click(map::YearButton); });
    once([] { ui::windowWidget(map::MainWindow)->close(); });
    return steps;
}

} // namespace

int main(int argc, char** argv) {
    char name[] = "/tmp/selvo-leak-session-XXXXXX";
    if (!mkdtemp(name)) return 2;
    const std::filesystem::path temp = name;
    chooseHeadlessScreen(temp);
    const std::filesystem::path folder = argc > 1 ? std::filesystem::path(argv[1]) : temp;
    if (argc <= 1) media_set::writeAll(folder);
    if (chdir(folder.c_str()) != 0) return 2;

    app::startUp();
    if (!app::buildMainWindow()) return 1;
    const auto steps = script();
    std::size_t next = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (next < steps.size() && steps[next]()) ++next;
    });
    ticker.start(20);
    app::runMainLoop();
    ticker.stop();
    app::shutDown();

    std::filesystem::remove_all(temp);
    std::printf("session done: %zu of %zu steps\n", next, steps.size());
    return next == steps.size() ? 0 : 1;
}
