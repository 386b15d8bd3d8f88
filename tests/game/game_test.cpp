// The main window played with real clicks: start-up, what assistive technology reads, information,
// the three modes, years, the end of a game and the borders switch.
#include "game_fixture.h"

#include "app/main_window.h"
#include "model/areas.h"
#include "model/herd.h"
#include "model/numbers.h"
#include "model/tables.h"
#include "ui/qt_access.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace game_test;

class MainWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { startGame(); }
    void SetUp() override { ASSERT_NE(ui::windowWidget(model::MainWindow), nullptr); }
    static void freshGame(model::Mode mode) {
        clickToolItem(model::NewGameButton);
        const int buttons[] = {model::KeepingButton, model::RifleButton, model::BasketButton};
        clickControl(buttons[mode]);
        ASSERT_EQ(model::InterventionMode, mode);
        ASSERT_EQ(animalCount(), 19);
    }
    static model::Animal& founder(int i) { return *std::next(model::herdBegin(), i); }
    // A map point whose areas value passes `wanted`, at least 30 pixels from every animal.
    template <class Pred> static QPoint findPoint(Pred wanted) {
        for (int y = 20; y < 620; y += 7) {
            for (int x = 20; x < 880; x += 7) {
                if (!wanted(picturePixel(model::AreasPicture, x, y))) continue;
                bool clear = true;
                for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
                    clear = clear && (std::abs(it->x - x) > 30 || std::abs(it->y - y) > 30);
                if (clear) return {x, y};
            }
        }
        return {-1, -1};
    }
};

TEST_F(MainWindow, StartsWithTheFoundersAndExactGeometry) {
    // The first test to run sees the state right after start-up.
    EXPECT_EQ(statusTexts(),
              (std::array<std::string, 5>{"Jahr 0 war normal", "Anzahl Tiere: 19", "Geburten: 0",
                                          "Gestorben: 0", "Genpool: 9"}));
    QWidget* window = ui::windowWidget(model::MainWindow);
    EXPECT_EQ(window->windowTitle(), "Selvo mornik");
    EXPECT_EQ(window->size(), QSize(1000, 700));
    QWidget* mapWidget = ui::controlWidget(model::MapPicture);
    EXPECT_EQ(mapWidget->geometry(), QRect(5, 30, 900, 640));
    EXPECT_EQ(ui::controlWidget(model::YearButton)->geometry(), QRect(910, 650, 80, 25));
    EXPECT_EQ(ui::controlWidget(model::CarriedIndicator)->geometry(), QRect(910, 240, 50, 30));
    EXPECT_EQ(model::InterventionMode, model::Keeping);
}

// A screen reader reads the German name of every control that shows only a picture, and the
// five fields as the window's status bar; none of those names shows up as a tool tip.
TEST_F(MainWindow, AssistiveTechnologyNamesPictureControlsAndSeesTheStatusBar) {
    auto tool = [](int item) { return ui::toolItemWidget(model::MainToolBar, item); };
    const std::pair<QWidget*, QString> named[] = {{ui::controlWidget(model::RifleButton), "Gewehr"},
                                                  {ui::controlWidget(model::BasketButton), "Korb"},
                                                  {tool(model::NewGameButton), "Neues Spiel"},
                                                  {tool(model::AreaBordersToggle), "Gebietsgrenzen"},
                                                  {tool(model::ReportButton), "Bericht"},
                                                  {tool(model::HelpButton), "Hilfe"}};
    for (const auto& [widget, name] : named) {
        ASSERT_NE(widget, nullptr) << name.toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
        QHelpEvent hover(QEvent::ToolTip, QPoint(4, 4), widget->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(widget, &hover);
        EXPECT_FALSE(QToolTip::isVisible()) << name.toStdString();
    }
    QWidget* bar = ui::statusBarWidget(model::MainStatusBar);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bar)->role(), QAccessible::StatusBar);
    for (int field = 0; field < 5; ++field)
        EXPECT_EQ(ui::statusField(model::MainStatusBar, field)->geometry(),
                  QRect(200 * field, 0, 200, bar->height()));
}

TEST_F(MainWindow, RightClickShowsTheAnimalAndMissesLeaveTheBoxAlone) {
    freshGame(model::Keeping);
    const model::Animal& first = founder(0);               // male, 7 years, at (501, 144)
    clickMap(first.x + 12, first.y - 12, Qt::RightButton); // the corner of his footprint
    const std::string shown = ui::controlText(model::AnimalInfoBox);
    EXPECT_EQ(shown,
              "Männl.\n7 Jahre\n\nGebiet " + std::to_string(first.area) + "\nKonst 100\nKrank 0");
    const QPoint empty = findPoint([](std::int32_t) { return true; });
    clickMap(empty.x(), empty.y(), Qt::RightButton);
    EXPECT_EQ(ui::controlText(model::AnimalInfoBox), shown);
    clickMap(first.x + 13, first.y, Qt::RightButton); // one pixel past the footprint
    EXPECT_EQ(ui::controlText(model::AnimalInfoBox), shown);
}

TEST_F(MainWindow, KeepingModeLeftClickChangesNothing) {
    freshGame(model::Keeping);
    clickMap(founder(0).x, founder(0).y);
    EXPECT_EQ(animalCount(), 19);
    EXPECT_EQ(model::CarriedAnimal, nullptr);
}

TEST_F(MainWindow, RifleShotLowersCountAndScoreButNoDeath) {
    freshGame(model::Rifle);
    const model::Animal* second = &founder(1); // a red-red female: the (1, 1) pair loses one
    clickMap(second->x, second->y);
    EXPECT_EQ(animalCount(), 18);
    EXPECT_FALSE(model::herdContains(second));
    const auto texts = statusTexts();
    EXPECT_EQ(texts[1], "Anzahl Tiere: 18");
    EXPECT_EQ(texts[3], "Gestorben: 0");
    EXPECT_EQ(texts[4], "Genpool: 8");
}

TEST_F(MainWindow, BasketTakesUpAndReleasesOnlyOnAnArea) {
    freshGame(model::Basket);
    model::Animal& first = founder(0);
    const std::int32_t plainUnder = picturePixel(model::PlainMapPicture, first.x, first.y);
    clickMap(first.x, first.y);
    ASSERT_EQ(model::CarriedAnimal, &first);
    EXPECT_EQ(framePixel(first.x, first.y), plainUnder); // gone from the map
    EXPECT_EQ(ui::controlWidget(model::CarriedIndicator)->size(), QSize(24, 24));

    // A right click at its old place still finds it.
    clickMap(first.x, first.y, Qt::RightButton);
    EXPECT_NE(ui::controlText(model::AnimalInfoBox).find("7 Jahre"), std::string::npos);

    const QPoint noArea = findPoint([](std::int32_t v) { return !model::isArea(v); });
    ASSERT_NE(noArea.x(), -1) << "the map has no place outside the Areas";
    clickMap(noArea.x(), noArea.y());
    EXPECT_EQ(model::CarriedAnimal, &first);
    EXPECT_EQ(first.x, 501);

    const QPoint area = findPoint([](std::int32_t v) { return model::isArea(v); });
    clickMap(area.x(), area.y());
    EXPECT_EQ(model::CarriedAnimal, nullptr);
    EXPECT_EQ(first.x, area.x());
    EXPECT_EQ(first.y, area.y());
    EXPECT_EQ(first.area, picturePixel(model::AreasPicture, area.x(), area.y()));
    EXPECT_NE(framePixel(first.x, first.y), picturePixel(model::PlainMapPicture, first.x, first.y));
}

TEST_F(MainWindow, ModeButtonsKeepOrPutBackTheCarriedAnimal) {
    freshGame(model::Basket);
    model::Animal& first = founder(0);
    clickMap(first.x, first.y);
    clickControl(model::BasketButton);
    EXPECT_EQ(model::CarriedAnimal, &first);
    clickControl(model::RifleButton);
    EXPECT_EQ(model::CarriedAnimal, nullptr);
    EXPECT_EQ(first.x, 501);
    EXPECT_EQ(animalCount(), 19);
}

TEST_F(MainWindow, RundeRunsOneYear) {
    freshGame(model::Keeping);
    clickControl(model::YearButton);
    EXPECT_EQ(statusTexts()[0].rfind("Jahr 1 war ", 0), 0u) << statusTexts()[0];
    clickControl(model::YearButton);
    EXPECT_EQ(statusTexts()[0].rfind("Jahr 2 war ", 0), 0u);
}

TEST_F(MainWindow, EmptyHerdEndsTheGameAndANewOneStartsInTheSameMode) {
    freshGame(model::Rifle);
    for (int guard = 0; animalCount() > 0 && guard < 100; ++guard)
        clickMap(founder(0).x, founder(0).y);
    ASSERT_EQ(animalCount(), 0);
    EXPECT_EQ(statusTexts()[4], "Genpool: -645");

    QString title, text;
    whileOpen([] { clickControl(model::YearButton); },
              [&] {
                  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                  ASSERT_NE(box, nullptr);
                  title = box->windowTitle();
                  text = box->text();
                  box->accept();
              });
    EXPECT_EQ(title, "Ende");
    EXPECT_EQ(text, "Keine Population mehr vorhanden");
    EXPECT_EQ(animalCount(), 19);
    EXPECT_EQ(model::InterventionMode, model::Rifle);
    EXPECT_EQ(statusTexts()[0].rfind("Jahr 0 war ", 0), 0u);
}

TEST_F(MainWindow, CarriedAnimalThatLeavesTheHerdEmptiesTheBasket) {
    freshGame(model::Basket);
    clickMap(founder(0).x, founder(0).y);
    ASSERT_NE(model::CarriedAnimal, nullptr);
    clickToolItem(model::NewGameButton);
    EXPECT_EQ(model::CarriedAnimal, nullptr);
}

TEST_F(MainWindow, BordersToggleSwitchesTheBackground) {
    freshGame(model::Keeping);
    QPoint differ(-1, -1);
    for (int y = 40; y < 600 && differ.x() < 0; y += 3) {
        for (int x = 40; x < 860; x += 3) {
            bool clear = true; // far enough that no animal wanders or is born onto it
            for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
                clear = clear && (std::abs(it->x - x) > 80 || std::abs(it->y - y) > 80);
            if (clear && picturePixel(model::PlainMapPicture, x, y) !=
                             picturePixel(model::BorderMapPicture, x, y)) {
                differ = {x, y};
                break;
            }
        }
    }
    ASSERT_NE(differ.x(), -1);
    clickToolItem(model::AreaBordersToggle);
    EXPECT_TRUE(ui::isToolItemDown(model::MainToolBar, model::AreaBordersToggle));
    EXPECT_EQ(framePixel(differ.x(), differ.y()),
              picturePixel(model::BorderMapPicture, differ.x(), differ.y()));
    clickControl(model::YearButton); // any later redraw keeps the borders
    EXPECT_EQ(framePixel(differ.x(), differ.y()),
              picturePixel(model::BorderMapPicture, differ.x(), differ.y()));
    clickToolItem(model::AreaBordersToggle);
    EXPECT_FALSE(ui::isToolItemDown(model::MainToolBar, model::AreaBordersToggle));
    EXPECT_EQ(framePixel(differ.x(), differ.y()),
              picturePixel(model::PlainMapPicture, differ.x(), differ.y()));
}

} // namespace
