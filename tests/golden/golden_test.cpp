// One seeded session of the real game on the project's Media/, played through its window with a
// player's clicks and written down after every step: status bar, information box, the mode's and
// the basket's pictures and a hash of the map frame; then all three windows as they are laid
// out and filled. Compared with the committed game.txt, so any change of a rule, a text, a
// picture, the drawing or a layout shows in its diff.
#include "app/main_window.h"
#include "app/startup.h"
#include "model/areas.h"
#include "model/herd.h"
#include "app/numbers.h"
#include "map/history.h"
#include "model/game.h"
#include "model/random.h"
#include "tests/support/game.h"
#include "tests/support/pictures.h"
#include "tests/support/support.h"
#include "ui/window.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

using namespace model;
using namespace map;
using namespace support;

std::ostringstream out;

void note(const std::string& step) {
    const auto s = statusTexts();
    std::string info = ui::controlText(AnimalInfoBox);
    std::replace(info.begin(), info.end(), '\n', '/');
    out << step << ": " << s[0] << " | " << s[1] << " | " << s[2] << " | " << s[3] << " | " << s[4]
        << "\n  mode " << ui::controlPicture(ModeIndicator) << " carried "
        << ui::controlPicture(CarriedIndicator) << " frame " << pictureHash(WorkMapPicture)
        << " info " << info << "\n";
}

// The n-th animal in Herd order.
const Animal& animal(int n) {
    return *std::next(herdBegin(), n);
}

void click(const Animal& a, Qt::MouseButton button, const std::string& step) {
    const int x = a.x, y = a.y;
    clickMap(x, y, button);
    note(step + " at " + std::to_string(x) + "," + std::to_string(y));
}

// The same session played straight through, and saved at years 20 and 40, the game then changed
// behind the window's back and the file opened again: both must write the recorded text. The
// report sorts the Herd by Area, which changes the order of later draws; opened after every
// year (with its forecast running) it must change nothing else, so it writes the same text as
// the Herd sorted in its place.
enum class Way { Straight, SavedAndOpened, ReportEveryYear, SortEveryYear };
class Golden : public ::testing::TestWithParam<Way> {};

TEST_P(Golden, ASeededSessionPlaysAsRecorded) {
    const bool throughFiles = GetParam() == Way::SavedAndOpened;
    TempFolder folder;
    startGame();
    useBuiltSimulator(2024);
    seedRandom(2024);
    // Closes the message at the end of a herd (it runs a loop of its own), writing it down.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            out << "  message " << (box->windowTitle() + ": " + box->text()).toStdString() << "\n";
            box->accept();
        }
    });
    closer.start(20);

    out << windowText(MainWindow);
    note("start");
    click(animal(0), Qt::RightButton, "right click");
    click(animal(1), Qt::RightButton, "right click");
    click(animal(0), Qt::LeftButton, "keeping");
    clickControl(RifleButton);
    click(animal(1), Qt::LeftButton, "rifle");
    clickControl(BasketButton);
    const Animal& carried = animal(0);
    click(carried, Qt::LeftButton, "basket");
    click(carried, Qt::RightButton, "right click at the old place");
    for (auto [x, y] : {std::pair{181, 20}, {20, 20}}) { // on no Area, then in one
        clickMap(x, y);
        note("release at " + std::to_string(x) + "," + std::to_string(y) + " on areas value " +
             std::to_string(areaAt(x, y)));
    }
    click(animal(2), Qt::LeftButton, "basket");
    clickControl(KeepingButton);
    note("keeping puts it back");
    clickToolItem(AreaBordersToggle);
    note("borders");
    for (int year = 1; year <= 60; ++year) {
        clickControl(YearButton);
        note("year " + std::to_string(year));
        if (GetParam() == Way::ReportEveryYear)
            whileOpen([] { clickToolItem(ReportButton); }, [] { requestClose(ReportWindow); });
        if (GetParam() == Way::SortEveryYear) herdSortByArea();
        if (throughFiles && (year == 20 || year == 40)) {
            const std::string path = (folder.path / ("year " + std::to_string(year))).string();
            throughDialog(SaveButton, path);
            model::newGame();
            for (int other = 0; other < 3; ++other)
                model::yearStep();
            map::resetHistory();
            throughDialog(OpenButton, path + ".selvo"); // the dialog added the ending
        }
    }
    clickToolItem(AreaBordersToggle);
    note("no borders");

    whileOpen([] { clickToolItem(ReportButton); },
              [] {
                  whenForecastDone([] {
                      out << windowText(ReportWindow);
                      requestClose(ReportWindow);
                  });
              });
    whileOpen([] { clickToolItem(HelpButton); },
              [] {
                  out << windowText(HelpWindow);
                  requestClose(HelpWindow);
              });
    out << windowText(MainWindow);
    // The main loop itself: one "Runde" and then the close box, which ends it.
    QTimer::singleShot(50, [] { pressControl(YearButton); });
    QTimer::singleShot(100, [] { requestClose(MainWindow); });
    app::runMainLoop();
    note("main loop");
    app::shutDown(); // so that LeakSanitizer sees what a whole session leaves
    const bool sorted = GetParam() == Way::ReportEveryYear || GetParam() == Way::SortEveryYear;
    expectGolden(sorted ? "game-sorted.txt" : "game.txt", out.str());
}

std::string wayName(const ::testing::TestParamInfo<Way>& info) {
    constexpr const char* names[] = {"Straight", "SavedAndOpened", "ReportEveryYear",
                                     "SortEveryYear"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Session, Golden,
                         ::testing::Values(Way::Straight, Way::SavedAndOpened, Way::ReportEveryYear,
                                           Way::SortEveryYear),
                         wayName);

} // namespace
