// The report and help windows: their contents, and their loops that swallow the main window's
// events and end on any close request.
#include "game_fixture.h"

#include "app/help.h"
#include "model/herd.h"
#include "model/numbers.h"
#include "report/report.h"
#include "ui/qt_access.h"

#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using namespace game_test;

class SecondaryWindows : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { startGame(); }
    void SetUp() override {
        clickToolItem(model::NewGameButton);
        ASSERT_EQ(animalCount(), 19);
    }
};

QTreeWidget* list(int control) {
    return qobject_cast<QTreeWidget*>(ui::controlWidget(control));
}

TEST_F(SecondaryWindows, ReportShowsTheGridAndTheSortedList) {
    QStringList gridRows;
    std::vector<int> areas;
    QString firstTitle, windowTitle;
    QSize clientSize;
    whileOpen([] { clickToolItem(model::ReportButton); },
              [&] {
                  QWidget* window = ui::windowWidget(model::ReportWindow);
                  ASSERT_NE(window, nullptr);
                  windowTitle = window->windowTitle();
                  clientSize = window->size();
                  auto* panel = qobject_cast<QTabWidget*>(ui::controlWidget(model::ReportPanel));
                  ASSERT_NE(panel, nullptr);
                  firstTitle = panel->tabText(panel->currentIndex());
                  QTreeWidget* grid = list(model::GenePoolGrid);
                  ASSERT_NE(grid, nullptr);
                  for (int r = 0; r < grid->topLevelItemCount(); ++r) {
                      QStringList cells;
                      for (int c = 0; c < grid->columnCount(); ++c)
                          cells << grid->topLevelItem(r)->text(c);
                      gridRows << cells.join('|');
                  }
                  QTreeWidget* herd = list(model::HerdListView);
                  ASSERT_NE(herd, nullptr);
                  for (int r = 0; r < herd->topLevelItemCount(); ++r)
                      areas.push_back(herd->topLevelItem(r)->text(1).toInt());
                  requestClose(model::ReportWindow);
              });
    EXPECT_EQ(windowTitle, "GenPool");
    EXPECT_EQ(clientSize, QSize(534, 532));
    EXPECT_EQ(firstTitle, "Übersicht");
    const QStringList expected = {
        "6   (6)|1   (1)|0   (-5)|   (0)", "1   (1)|6   (6)|1   (1)|   (0)",
        "2   (2)|0   (-5)|2   (2)|   (0)", "|||",
        "   (0)|   (0)|   (0)|",
    };
    EXPECT_EQ(gridRows, expected);
    ASSERT_EQ(areas.size(), 19u);
    EXPECT_TRUE(std::is_sorted(areas.begin(), areas.end()));
    EXPECT_EQ(ui::windowWidget(model::ReportWindow), nullptr);
    // The Herd keeps the report's order.
    int previous = 0;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        EXPECT_GE(it->area, previous);
        previous = it->area;
    }
}

TEST_F(SecondaryWindows, ReportRowsOfAnAnimal) {
    model::Animal a;
    a.sex = 1;
    a.area = 7;
    a.age = 12;
    a.constitution = 100;
    a.illness = 4;
    EXPECT_EQ(report::listRowText(a), "\n7\n12\nmännlich\n\n\n100\n4\n");
    a.sex = 0;
    EXPECT_EQ(report::listRowText(a), "\n7\n12\nweiblich\n\n\n100\n4\n");
}

// While a secondary window is open, a click on "Runde" and on the tool bar does nothing, then
// or later, and the main window's close box closes only the secondary window.
void expectSwallowedAndClosedByMainClose(const std::function<void()>& open, int window) {
    const std::string yearBefore = statusTexts()[0];
    const model::Animal* firstBefore = &*model::herdBegin();
    bool wasOpen = false;
    whileOpen(open, [&] {
        wasOpen = ui::windowWidget(window) != nullptr;
        pressControl(model::YearButton);
        pressToolItem(model::NewGameButton);
        requestClose(model::MainWindow);
    });
    EXPECT_TRUE(wasOpen);
    EXPECT_EQ(ui::windowWidget(window), nullptr);
    ASSERT_NE(ui::windowWidget(model::MainWindow), nullptr);
    EXPECT_TRUE(ui::windowWidget(model::MainWindow)->isVisible());
    pump(20); // nothing was carried over to the main loop
    EXPECT_EQ(statusTexts()[0], yearBefore);
    EXPECT_TRUE(model::herdContains(firstBefore)); // no new game either
}

TEST_F(SecondaryWindows, ReportSwallowsMainWindowEvents) {
    expectSwallowedAndClosedByMainClose([] { clickToolItem(model::ReportButton); },
                                        model::ReportWindow);
}

TEST_F(SecondaryWindows, HelpWindowShowsTheLinkAndSwallowsEvents) {
    QString title, link;
    QSize size;
    QRect linkGeometry;
    whileOpen([] { clickToolItem(model::HelpButton); },
              [&] {
                  QWidget* window = ui::windowWidget(model::HelpWindow);
                  ASSERT_NE(window, nullptr);
                  title = window->windowTitle();
                  size = window->size();
                  auto* label = qobject_cast<QLabel*>(ui::controlWidget(model::HelpLink));
                  ASSERT_NE(label, nullptr);
                  link = label->text();
                  linkGeometry = label->geometry();
                  requestClose(model::HelpWindow);
              });
    EXPECT_EQ(title, "Help");
    EXPECT_EQ(size, QSize(665, 580));
    EXPECT_EQ(link, "file://Help.htm");
    EXPECT_EQ(linkGeometry, QRect(0, 10, 660, 560));
    EXPECT_EQ(ui::windowWidget(model::HelpWindow), nullptr);

    expectSwallowedAndClosedByMainClose([] { clickToolItem(model::HelpButton); },
                                        model::HelpWindow);
}

} // namespace
