// The window layer through real Qt widgets: geometry, clicks, close requests, tables and bars.
// Clicks on buttons, the tool bar, close requests and German texts are played through by the
// game tests; these cover what the game alone would not show.
#include "ui/picture.h"
#include "ui/qt_access.h"
#include "ui/window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace {

// One colour all over; 4 channels get full alpha.
ui::Picture solid(int width, int height, int channels, std::uint8_t b, std::uint8_t g,
                  std::uint8_t r) {
    ui::Picture picture{width, height, channels, {}};
    for (int i = 0; i < width * height; ++i) {
        picture.pixels.insert(picture.pixels.end(), {b, g, r});
        if (channels == 4) picture.pixels.push_back(255);
    }
    return picture;
}

// Pumps until an event arrives (a click can need more than one pass), at most `passes` times.
ui::Event nextEvent(int passes = 20) {
    for (int i = 0; i < passes; ++i) {
        const ui::Event event = ui::pollEvent();
        if (event.kind != ui::EventKind::None) return event;
    }
    return {};
}

void expectControl(const ui::Event& event, int window, int item, int type) {
    EXPECT_EQ(event.kind, ui::EventKind::Control);
    EXPECT_EQ(std::tuple(event.window, event.item, event.type), std::tuple(window, item, type));
}

QRect geometryOf(int control) {
    QWidget* widget = ui::controlWidget(control);
    return widget ? widget->geometry() : QRect();
}

QRgb pixelAt(QWidget* widget, int x, int y) {
    return widget->grab().toImage().pixel(x, y);
}

class WindowLayer : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::initWindowing();
        ui::setPicture(2, solid(600, 400, 3, 10, 20, 30)); // map: smaller than its 900 x 640 box
        ui::setPicture(16, solid(4, 4, 4, 0, 0, 255));     // red
        ui::setPicture(17, solid(6, 6, 3, 255, 0, 0));     // blue
        ui::setPicture(18, solid(70, 20, 3, 0, 255, 0));
        ui::setPicture(19, solid(16, 16, 4, 0, 200, 0));
    }
    void TearDown() override {
        ui::shutdownWindowing();
        ui::freeAllPictures();
    }

    // The main window as the game builds it.
    static void buildMainWindow() {
        using namespace ui;
        ASSERT_TRUE(openWindow(0, 0, 0, 1000, 700, "Selvo mornik",
                               TitleBar | SizingBorder | CentreOnScreen));
        ASSERT_TRUE(setControlParent(0));
        ASSERT_TRUE(createPictureControl(0, 5, 30, 900, 640, 2));
        ASSERT_TRUE(createLabel(1, 910, 30, 80, 15, "Modus", LabelCentred | LabelSunken));
        ASSERT_TRUE(createPictureControl(2, 925, 50, 80, 25, 18));
        ASSERT_TRUE(createTextBox(3, 910, 100, 80, 100));
        ASSERT_TRUE(createPictureControl(4, 910, 240, 50, 30, NoPicture));
        ASSERT_TRUE(createPictureButton(5, 910, 350, 80, 25, 16));
        ASSERT_TRUE(createPictureButton(6, 910, 390, 80, 25, 17));
        ASSERT_TRUE(createButton(7, 910, 430, 80, 25, "Hege"));
        ASSERT_TRUE(createButton(8, 910, 650, 80, 25, "Runde"));
        ASSERT_TRUE(createToolBar(0, 0));
        ASSERT_TRUE(addToolButton(0, 9, StandardIcon::NewDocument));
        ASSERT_TRUE(addToolPictureButton(0, 10, 19, true));
        addToolSeparator(0);
        ASSERT_TRUE(addToolButton(0, 11, StandardIcon::Properties));
        ASSERT_TRUE(createStatusBar(0, 0));
        for (int field = 0; field < 5; ++field)
            ASSERT_TRUE(addStatusField(0, 200));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(windowWidget(0)));
    }
};

TEST_F(WindowLayer, MainWindowHasExactClientGeometry) {
    buildMainWindow();
    QWidget* window = ui::windowWidget(0);
    EXPECT_EQ(window->size(), QSize(1000, 700));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((window->frameGeometry().center() - screen.center()).manhattanLength(), 2);
    // Picture controls take their picture's size; without a picture a control keeps its box.
    const std::pair<int, QRect> boxes[] = {{0, {5, 30, 600, 400}},  {1, {910, 30, 80, 15}},
                                           {2, {925, 50, 70, 20}},  {3, {910, 100, 80, 100}},
                                           {4, {910, 240, 50, 30}}, {5, {910, 350, 80, 25}},
                                           {8, {910, 650, 80, 25}}};
    for (const auto& [control, box] : boxes)
        EXPECT_EQ(geometryOf(control), box) << control;

    const QRect toolBar = ui::toolBarWidget(0)->geometry();
    EXPECT_EQ(toolBar.topLeft(), QPoint(0, 0));
    EXPECT_EQ(toolBar.width(), 1000);
    EXPECT_GT(toolBar.height(), 16);
    EXPECT_LE(toolBar.height(), 30); // leaves the row at y = 30 to the controls
    EXPECT_EQ(ui::statusBarWidget(0)->geometry().bottom(), 699);
    for (int field = 0; field < 5; ++field)
        EXPECT_EQ(ui::statusField(0, field)->geometry().right() + 1, 200 * (field + 1)) << field;

    // A resize keeps the bars at full width on their edges.
    window->resize(1100, 750);
    EXPECT_EQ(ui::toolBarWidget(0)->width(), 1100);
    EXPECT_EQ(ui::statusBarWidget(0)->geometry().bottom(), 749);
    EXPECT_EQ(ui::statusBarWidget(0)->width(), 1100);
}

TEST_F(WindowLayer, WindowsPlaceThemselvesAsAsked) {
    ASSERT_TRUE(ui::openWindow(1, 0, 0, 300, 200, "Hilfe", ui::TitleBar | ui::CentreOverActive));
    EXPECT_EQ(ui::windowWidget(1)->pos(), QPoint(216, 0)); // nothing active yet
    ASSERT_TRUE(ui::openWindow(2, 300, 210, 534, 532, "GenPool", ui::TitleBar));
    QWidget* report = ui::windowWidget(2);
    EXPECT_EQ(report->pos(), QPoint(300, 210));
    EXPECT_EQ(report->minimumSize(), QSize(534, 532)); // no sizing border: fixed
    EXPECT_EQ(report->maximumSize(), QSize(534, 532));

    ASSERT_TRUE(QTest::qWaitForWindowActive(report));
    ASSERT_TRUE(ui::openWindow(3, 0, 0, 200, 100, "Hilfe", ui::TitleBar | ui::CentreOverActive));
    const QPoint offset =
        ui::windowWidget(3)->frameGeometry().center() - report->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
    // Centred over a window near the corner, the left and top edges stop at 0.
    ui::closeWindow(3);
    report->move(0, 0);
    ASSERT_TRUE(ui::openWindow(3, 0, 0, 900, 900, "Hilfe", ui::TitleBar | ui::CentreOverActive));
    EXPECT_EQ(ui::windowWidget(3)->pos(), QPoint(0, 0));
    // A window larger than the screen is cut to fit it.
    ASSERT_TRUE(ui::openWindow(4, 0, 0, 3000, 2000, "Gross", ui::CentreOnScreen));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(ui::windowWidget(4)->frameGeometry()));
}

TEST_F(WindowLayer, PictureControlReportsEachClickKindFromItsWindow) {
    buildMainWindow();
    QWidget* map = ui::controlWidget(0);
    for (auto [button, once, twice] :
         {std::tuple{Qt::LeftButton, ui::LeftClick, ui::LeftDoubleClick},
          {Qt::RightButton, ui::RightClick, ui::RightDoubleClick}}) {
        QTest::mouseClick(map, button, {}, QPoint(10, 10));
        expectControl(nextEvent(), 0, 0, once);
        // The second click of a double click gives the double-click type, never a plain click.
        QTest::mouseDClick(map, button, {}, QPoint(10, 10));
        expectControl(nextEvent(), 0, 0, twice);
    }
    EXPECT_EQ(nextEvent().kind, ui::EventKind::None);
}

TEST_F(WindowLayer, PicturesReachTheScreenInTheirOwnColours) {
    buildMainWindow();
    // Picture 2 holds B,G,R = 10,20,30; picture 17 is blue without alpha, 16 red with alpha.
    EXPECT_EQ(pixelAt(ui::controlWidget(0), 3, 3), qRgb(30, 20, 10));
    ui::setControlPicture(4, 17);
    EXPECT_EQ(geometryOf(4), QRect(910, 240, 6, 6));
    EXPECT_EQ(pixelAt(ui::controlWidget(4), 5, 5), qRgb(0, 0, 255));
    ui::setControlPicture(4, 16);
    EXPECT_EQ(pixelAt(ui::controlWidget(4), 0, 0), qRgb(255, 0, 0));
    ui::setControlPicture(4, ui::NoPicture);
    EXPECT_EQ(geometryOf(4).size(), QSize(4, 4));
    EXPECT_NE(pixelAt(ui::controlWidget(4), 0, 0), qRgb(255, 0, 0));

    // The 4 x 4 picture button face: centred, one pixel right and down while held.
    auto* button = static_cast<QAbstractButton*>(ui::controlWidget(5));
    for (bool held : {false, true}) {
        button->setDown(held);
        EXPECT_EQ(pixelAt(button, 38, 10) == qRgb(255, 0, 0), !held);
        EXPECT_EQ(pixelAt(button, 42, 14) == qRgb(255, 0, 0), held);
    }
}

TEST_F(WindowLayer, ClosingAWindowFreesEveryNumberOnIt) {
    buildMainWindow();
    ASSERT_TRUE(ui::openWindow(2, 300, 210, 534, 532, "GenPool", ui::TitleBar));
    ASSERT_TRUE(ui::setControlParent(2));
    ASSERT_TRUE(ui::createButton(20, 5, 5, 80, 25, "OK"));
    // Numbers are unique across windows.
    EXPECT_FALSE(ui::createButton(7, 5, 40, 80, 25, "Zweimal"));
    EXPECT_FALSE(ui::createToolBar(0, 2));

    ui::closeWindow(0);
    EXPECT_FALSE(ui::windowExists(0));
    EXPECT_TRUE(ui::createButton(7, 5, 40, 80, 25, "Wieder")); // parent is still window 2
    EXPECT_TRUE(ui::createToolBar(0, 2));
    EXPECT_TRUE(ui::createStatusBar(0, 2));
    EXPECT_EQ(ui::controlText(20), "OK"); // the other window's controls survive

    // With the parent window gone nothing can be created until a new parent is set.
    ui::closeWindow(2);
    ASSERT_TRUE(ui::openWindow(0, 0, 0, 100, 100, "Neu", ui::TitleBar));
    EXPECT_FALSE(ui::createButton(30, 0, 0, 10, 10, "x"));
    ASSERT_TRUE(ui::setControlParent(0));
    EXPECT_TRUE(ui::createButton(30, 0, 0, 10, 10, "x"));
}

TEST_F(WindowLayer, UnknownNumbersAndMissingFilesAnswerNone) {
    buildMainWindow();
    EXPECT_FALSE(ui::setControlParent(5));
    EXPECT_EQ(ui::controlText(0), "");  // a picture control has no text
    EXPECT_EQ(ui::listRowCount(7), -1); // a button is no list
    EXPECT_FALSE(ui::addListColumn(7, 0, "a", 10));
    EXPECT_FALSE(ui::addTab(7, "a"));
    EXPECT_FALSE(ui::isToolItemDown(0, 99));
    EXPECT_EQ(ui::statusText(0, 5), "");
    for (const char* path : {"Nicht/da.htm", "file://Nicht/da.htm", ""})
        EXPECT_FALSE(ui::openInBrowser(path)) << path;
    // None of these may touch anything or crash.
    ui::closeWindow(5);
    ui::setControlText(99, "x");
    ui::setControlPicture(7, 2);
    ui::setListCellColour(99, 0, 0, 0);
    ui::setStatusText(0, 5, "x");
    ui::addToolSeparator(5);
    ui::endPanel(7);
    EXPECT_EQ(nextEvent().kind, ui::EventKind::None);
    EXPECT_EQ(geometryOf(7), QRect(910, 430, 80, 25));
}

TEST_F(WindowLayer, LinkReportsOnlyALeftReleaseOverIt) {
    ASSERT_TRUE(ui::openWindow(1, 0, 0, 665, 580, "Help", ui::TitleBar | ui::SizingBorder));
    ASSERT_TRUE(ui::setControlParent(1));
    ASSERT_TRUE(ui::createLink(22, 0, 10, 660, 560, "file://Help.htm", 0x000000FF));
    QWidget* link = ui::controlWidget(22);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::windowWidget(1)));
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(nextEvent().kind, ui::EventKind::None);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, 5));
    expectControl(nextEvent(), 1, 22, ui::LeftClick);
    QTest::mouseClick(link, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(700, 5)); // dragged off it
    EXPECT_EQ(nextEvent().kind, ui::EventKind::None);
}

TEST_F(WindowLayer, PanelPagesTakeTheControlsUntilEndPanel) {
    ASSERT_TRUE(ui::openWindow(2, 300, 210, 534, 532, "GenPool", ui::TitleBar));
    ASSERT_TRUE(ui::setControlParent(2));
    ASSERT_TRUE(ui::createPanel(13, 5, 5, 520, 520));
    ASSERT_TRUE(ui::addTab(13, "Übersicht"));
    ASSERT_TRUE(ui::createPictureControl(14, 13, 43, 20, 20, ui::NoPicture));
    ASSERT_TRUE(ui::addTab(13, "Liste"));
    ASSERT_TRUE(ui::createLabel(15, 33, 23, 70, 15, "Tiere", 0));
    ui::endPanel(13);
    ASSERT_TRUE(ui::createButton(16, 5, 500, 80, 25, "OK"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::windowWidget(2)));

    auto* tabs = static_cast<QTabWidget*>(ui::controlWidget(13));
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(ui::controlWidget(14)->parentWidget(), tabs->widget(0));
    EXPECT_EQ(geometryOf(14).topLeft(), QPoint(13, 43)); // relative to the page
    EXPECT_EQ(ui::controlWidget(15)->parentWidget(), tabs->widget(1));
    EXPECT_EQ(ui::controlWidget(16)->parentWidget(), ui::windowWidget(2));
    // A control on a page reports the number of the window it sits on.
    QTest::mouseClick(ui::controlWidget(14), Qt::LeftButton, {}, QPoint(2, 2));
    expectControl(nextEvent(), 2, 14, ui::LeftClick);
}

TEST_F(WindowLayer, ListsKeepFixedColumnsRowsAndCellColours) {
    ASSERT_TRUE(ui::openWindow(2, 300, 210, 534, 532, "GenPool", ui::TitleBar));
    ASSERT_TRUE(ui::setControlParent(2));
    ASSERT_TRUE(ui::createList(19, 93, 63, 330, 100, "A", 80, ui::ListGridLines));
    ASSERT_TRUE(ui::addListColumn(19, 7, "C", 60)); // past the end: appended
    ASSERT_TRUE(ui::addListColumn(19, 1, "B", 70)); // between A and C
    auto* list = static_cast<QTreeWidget*>(ui::controlWidget(19));
    ASSERT_EQ(list->columnCount(), 3);
    const std::pair<const char*, int> columns[] = {{"A", 80}, {"B", 70}, {"C", 60}};
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(list->headerItem()->text(column), columns[column].first);
        EXPECT_EQ(list->header()->sectionSize(column), columns[column].second);
        EXPECT_EQ(list->header()->sectionResizeMode(column), QHeaderView::Fixed);
    }

    EXPECT_EQ(ui::addListRow(19, "a0\nb0\nc0\nzu viel", ui::NoPicture), 0);
    EXPECT_EQ(ui::addListRow(19, "a1", 19), 1);
    EXPECT_EQ(ui::listRowCount(19), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(2), "c0");
    EXPECT_EQ(list->topLevelItem(0)->columnCount(), 3); // "zu viel" is dropped
    EXPECT_EQ(list->topLevelItem(1)->text(1), "");
    EXPECT_TRUE(list->topLevelItem(0)->icon(0).isNull());
    EXPECT_FALSE(list->topLevelItem(1)->icon(0).isNull());
    // A column inserted later moves the cells right of it along.
    ASSERT_TRUE(ui::addListColumn(19, 0, "Nr", 30));
    EXPECT_EQ(list->topLevelItem(0)->text(3), "c0");
    EXPECT_FALSE(list->topLevelItem(1)->icon(1).isNull());

    // The cell colour shows through the grid lines' delegate.
    ui::setListCellColour(19, 0, 2, 0x0080C0FF);
    list->clearSelection();
    list->setCurrentItem(nullptr);
    const QRect cell = list->visualRect(list->model()->index(0, 2));
    EXPECT_EQ(list->viewport()->grab().toImage().pixel(cell.center()), qRgb(0xFF, 0xC0, 0x80));
}

TEST_F(WindowLayer, CursorPositionIsInClientCoordinatesOrMinusOne) {
    buildMainWindow();
    int x = 0, y = 0;
    for (auto [at, want] :
         {std::pair{QPoint(120, 45), QPoint(120, 45)}, {QPoint(1005, 45), QPoint(-1, -1)}}) {
        QCursor::setPos(ui::windowWidget(0)->mapToGlobal(at));
        ui::cursorPosition(0, x, y);
        EXPECT_EQ(QPoint(x, y), want);
    }
    ui::cursorPosition(5, x, y); // no such window
    EXPECT_EQ(QPoint(x, y), QPoint(-1, -1));
}

TEST_F(WindowLayer, PollIsIdleAndWaitBlocksForTheNextEvent) {
    buildMainWindow();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ui::pollEvent().kind, ui::EventKind::None);
    QTimer::singleShot(30, [] { QTest::mouseClick(ui::controlWidget(7), Qt::LeftButton); });
    expectControl(ui::waitEvent(), 0, 7, ui::LeftClick);
}

TEST_F(WindowLayer, MessageBoxBlocksAndDropsCloseRequests) {
    buildMainWindow();
    bool shown = false;
    QTimer::singleShot(30, [&shown] {
        QWidget* box = QApplication::activeModalWidget();
        shown = box != nullptr;
        ui::windowWidget(0)->close(); // the player cannot reach the window meanwhile
        if (box) box->close();
    });
    ui::messageBox("Hinweis", "Die Herde ist ausgestorben.");
    EXPECT_TRUE(shown);
    EXPECT_EQ(nextEvent().kind, ui::EventKind::None);
    ui::windowWidget(0)->close(); // afterwards requests arrive again
    EXPECT_EQ(nextEvent().kind, ui::EventKind::Close);
}

} // namespace
