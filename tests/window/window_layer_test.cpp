// The window layer through real Qt widgets: what the game's own sessions (game, golden and
// report tests) never show: centring over the active window, resizing, double clicks, inserted
// list columns, the painted cell colour, and every call that refuses.
#include "tests/support/game.h"
#include "tests/support/pictures.h"
#include "tests/support/support.h"
#include "ui/chart.h"
#include "ui/picture.h"
#include "ui/qt_access.h"
#include "ui/window.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScreen>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <tuple>

#include <unistd.h>

namespace {

using support::solid;

// Pumps until an event arrives (a click can need more than one pass), at most `passes` times.
ui::Event nextEvent(int passes = 20) {
    for (int i = 0; i < passes; ++i)
        if (const ui::Event event = ui::pollEvent(); event.kind != ui::EventKind::None)
            return event;
    return {};
}

void expectControl(const ui::Event& event, int window, int item, int type) {
    EXPECT_EQ(event.kind, ui::EventKind::Control);
    EXPECT_EQ(std::tuple(event.window, event.item, event.type), std::tuple(window, item, type));
}

class WindowLayer : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startWindowing();
        ui::setPicture(16, solid(4, 4, 4, 0x0000FF)); // red, with alpha
        ui::setPicture(19, solid(16, 16, 4, 0x00C800));
    }
    void TearDown() override {
        ui::shutdownWindowing();
        ui::freeAllPictures();
    }

    // A main window of the game's shape: a picture control, a tool bar and a status bar.
    static void buildWindow() {
        using namespace ui;
        ASSERT_TRUE(openWindow(0, 0, 0, 1000, 700, "Selvo mornik",
                               TitleBar | SizingBorder | CentreOnScreen));
        ASSERT_TRUE(setControlParent(0) && createPictureControl(0, 5, 30, 900, 640, NoPicture));
        ASSERT_TRUE(createToolBar(0, 0) && addToolPictureButton(0, 10, 19, true) &&
                    createStatusBar(0, 0));
        for (int field = 0; field < 5; ++field)
            ASSERT_TRUE(addStatusField(0, 200));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(windowWidget(0)));
    }
};

TEST_F(WindowLayer, BarsSpanTheClientAreaAndFollowItsSize) {
    buildWindow();
    ui::windowWidget(0)->resize(1100, 750);
    const QRect tool = ui::toolBarWidget(0)->geometry(),
                status = ui::statusBarWidget(0)->geometry();
    EXPECT_EQ(std::tuple(tool.topLeft(), tool.width(), status.bottom(), status.width()),
              std::tuple(QPoint(0, 0), 1100, 749, 1100));
    EXPECT_TRUE(tool.height() > 16 && tool.height() <= 30) << "leaves y = 30 to controls";
}

TEST_F(WindowLayer, WindowsCentreOnTheScreenOrOverTheActiveOne) {
    const auto offset = [](int window, const QRect& over) {
        return (ui::windowWidget(window)->frameGeometry().center() - over.center())
            .manhattanLength();
    };
    ASSERT_TRUE(ui::openWindow(4, 0, 0, 200, 100, "Mitte", ui::TitleBar | ui::CentreOnScreen));
    EXPECT_LE(offset(4, QGuiApplication::primaryScreen()->availableGeometry()), 2);
    ASSERT_TRUE(ui::openWindow(2, 300, 210, 534, 532, "GenPool", ui::TitleBar));
    ASSERT_TRUE(QTest::qWaitForWindowActive(ui::windowWidget(2)));
    ASSERT_TRUE(ui::openWindow(3, 0, 0, 200, 100, "Hilfe", ui::TitleBar | ui::CentreOverActive));
    EXPECT_LE(offset(3, ui::windowWidget(2)->frameGeometry()), 2);
}

TEST_F(WindowLayer, PictureControlReportsDoubleClicksAndWhereItWasClicked) {
    buildWindow();
    QWidget* map = ui::controlWidget(0);
    for (auto [button, once, twice] :
         {std::tuple{Qt::LeftButton, ui::LeftClick, ui::LeftDoubleClick},
          {Qt::RightButton, ui::RightClick, ui::RightDoubleClick}}) {
        QTest::mouseClick(map, button, {}, QPoint(10, 10));
        const ui::Event click = nextEvent();
        expectControl(click, 0, 0, once);
        // The point goes with the click, in the window's client area: the map sits at (5, 30).
        EXPECT_EQ(std::pair(click.x, click.y), std::pair(15, 40));
        // The second click of a double click gives the double-click type, never a plain click.
        QTest::mouseDClick(map, button, {}, QPoint(10, 10));
        expectControl(nextEvent(), 0, 0, twice);
    }
    EXPECT_EQ(nextEvent().kind, ui::EventKind::None);
}

// A click waiting in Qt's queue, as the window system's input arrives, comes out of the very next
// pass, also after many passes that found nothing to do.
TEST_F(WindowLayer, AWaitingClickComesOutOfTheNextPass) {
    buildWindow();
    EXPECT_TRUE(ui::quietPassesPossible()); // the passes that found nothing made no full pass
    QWidget* map = ui::controlWidget(0);
    for (int pass = 0; pass < 100; ++pass)
        ASSERT_EQ(ui::pollEvent().kind, ui::EventKind::None) << pass;
    // A descriptor alone (none brings the player's input) waits for the full pass made at the
    // latest 16 passes after the last one.
    int ends[2], passes = 0;
    ASSERT_EQ(::pipe(ends), 0);
    QSocketNotifier notifier(ends[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] { notifier.setEnabled(false); });
    QCoreApplication::postEvent(map, new QEvent(QEvent::User)); // the next pass is a full one
    ASSERT_TRUE(ui::pollEvent().kind == ui::EventKind::None && ::write(ends[1], "x", 1) == 1);
    for (; notifier.isEnabled() && passes < 20; ++passes)
        ui::pollEvent();
    EXPECT_EQ(passes, 16); // and not before: a pass that finds nothing waiting stays quiet
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(
            map, new QMouseEvent(
                     type, QPointF(10, 10), map->mapToGlobal(QPointF(10, 10)), Qt::LeftButton,
                     type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {}));
    expectControl(ui::pollEvent(), 0, 0, ui::LeftClick);
    ::close(ends[0]), ::close(ends[1]);
    const auto start = std::chrono::steady_clock::now(); // the loop's pause between passes
    ui::sleepMs(1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1));
}

TEST_F(WindowLayer, ListColumnsInsertedLaterMoveTheCellsAlongAndColoursShow) {
    ASSERT_TRUE(ui::openWindow(2, 300, 210, 534, 532, "GenPool", ui::TitleBar) &&
                ui::setControlParent(2) && ui::createPanel(13, 5, 5, 520, 520) &&
                ui::addTab(13, "Liste"));
    ASSERT_TRUE(ui::createList(19, 3, 3, 330, 100, "A", 80, ui::ListGridLines) &&
                ui::createPictureControl(14, 400, 3, 20, 20, ui::NoPicture));
    ui::endPanel(13);
    ASSERT_TRUE(ui::addListColumn(19, 7, "C", 60)); // past the end: appended
    EXPECT_EQ(ui::addListRow(19, "a0\nc0\nzu viel", ui::NoPicture), 0);
    EXPECT_EQ(ui::addListRow(19, "a1", 19), 1);
    EXPECT_EQ(ui::listRowPicture(19, 1), 19);
    ui::setListCellColour(19, 0, 1, 0x0080C0FF);
    ui::setListCellColour(19, 1, 0, 0x00203040);
    ASSERT_TRUE(ui::addListColumn(19, 1, "B", 70)); // between A and C
    ASSERT_TRUE(ui::addListColumn(19, 0, "Nr", 30));
    EXPECT_EQ(support::listText(19), "  columns: Nr/30 A/80 B/70 C/60\n"
                                     "  row 0 picture -1: [] [a0] [] [c0 #80c0ff]\n"
                                     "  row 1 picture -1: [] [a1 #203040] [] []\n");
    auto* list = static_cast<QTreeWidget*>(ui::controlWidget(19));
    ui::setListCellColour(19, 0, 4, 0x00FFFFFF); // past the last column: nothing to colour
    EXPECT_EQ(list->topLevelItem(0)->columnCount(), 4);
    EXPECT_EQ(list->header()->height(), 20); // a grid's header as low as its rows
    // The colour shows through the grid lines' delegate; a control on a page reports the
    // number of the window it sits on.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::windowWidget(2)));
    list->clearSelection();
    list->setCurrentItem(nullptr);
    const QRect cell = list->visualRect(list->model()->index(0, 3));
    EXPECT_EQ(list->viewport()->grab().toImage().pixel(cell.center()), qRgb(0xFF, 0xC0, 0x80));
    QTest::mouseClick(ui::controlWidget(14), Qt::LeftButton, {}, QPoint(2, 2));
    expectControl(nextEvent(), 2, 14, ui::LeftClick);
}

TEST_F(WindowLayer, AMessageBoxBlocksAndDropsCloseRequests) {
    buildWindow();
    QTimer::singleShot(30, [] {
        ui::windowWidget(0)->close(); // the player cannot reach the window meanwhile
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    ui::messageBox("Hinweis", "Die Herde ist ausgestorben.");
    EXPECT_EQ(nextEvent().kind, ui::EventKind::None);
    ui::windowWidget(0)->close(); // afterwards requests arrive again, from no control
    const ui::Event close = nextEvent();
    EXPECT_EQ(std::tuple(close.kind, close.window, close.item, close.type),
              std::tuple(ui::EventKind::Close, 0, -1, -1));
}

// The first file dialog starts in the documents folder, or at home where that is not there.
TEST_F(WindowLayer, TheFirstDialogStartsInTheDocumentsFolderOrAtHome) {
    support::TempFolder home;
    std::ofstream(home.path / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"/nirgends/Dokumente\"\n";
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"})
        qputenv(name, QByteArray::fromStdString(home.path.string()));
    QString started;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            started = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    answer.start(20);
    EXPECT_EQ(ui::askFileToOpen("Öffnen", "*"), "");
    EXPECT_EQ(started.toStdString(), home.path.string());
}

// Every kind of control, created as number `n` on the current parent.
const std::pair<const char*, bool (*)(int)> controlKinds[] = {
    {"picture", [](int n) { return ui::createPictureControl(n, 0, 0, 9, 9, 16); }},
    {"button", [](int n) { return ui::createButton(n, 0, 0, 9, 9, "b"); }},
    {"picture button", [](int n) { return ui::createPictureButton(n, 0, 0, 9, 9, 16); }},
    {"label", [](int n) { return ui::createLabel(n, 0, 0, 9, 9, "l", 0); }},
    {"text box", [](int n) { return ui::createTextBox(n, 0, 0, 9, 9); }},
    {"link", [](int n) { return ui::createLink(n, 0, 0, 9, 9, "k", 0); }},
    {"panel", [](int n) { return ui::createPanel(n, 0, 0, 9, 9); }},
    {"list", [](int n) { return ui::createList(n, 0, 0, 9, 9, "t", 9, 0); }},
    {"chart", [](int n) { return ui::createChartControl(n, 0, 0, 99, 99, {ui::Chart{}}); }}};

// Each call that can refuse does so for want of an application, a window, a parent, a free
// number or a sensible value, and leaves nothing behind; what held the number keeps it.
TEST_F(WindowLayer, RefusedCallsSayNoAndLeaveNothingBehind) {
    using namespace ui;
    shutdownWindowing();
    EXPECT_FALSE(openWindow(0, 0, 0, 99, 99, "", 0));
    support::startWindowing();
    EXPECT_FALSE(openWindow(0, 0, 0, 0, 99, "", 0) || openWindow(0, 0, 0, 99, 0, "", 0));
    EXPECT_FALSE(windowExists(0) || setControlParent(0) || createToolBar(0, 0) ||
                 createStatusBar(0, 0));
    ASSERT_TRUE(openWindow(0, 0, 0, 300, 300, "", 0));
    QWidget* window = windowWidget(0);
    EXPECT_FALSE(openWindow(0, 0, 0, 99, 99, "", 0));
    EXPECT_EQ(QApplication::topLevelWidgets(), QWidgetList{window});
    const int kinds = int(std::size(controlKinds));
    for (int n = 0; n < kinds; ++n) // before any parent is set
        EXPECT_FALSE(controlKinds[n].second(n) || controlWidget(n)) << controlKinds[n].first;
    ASSERT_TRUE(setControlParent(0));
    for (int n = 0; n < kinds; ++n)
        ASSERT_TRUE(controlKinds[n].second(n)) << controlKinds[n].first;
    const QObjectList children = window->children();
    for (int n = 0; n < kinds; ++n) // on the number the next kind holds
        EXPECT_FALSE(controlKinds[n].second((n + 1) % kinds)) << controlKinds[n].first;
    EXPECT_FALSE(createChartControl(20, 0, 0, 9, 9, {}));
    EXPECT_EQ(window->children(), children);
    // Only a panel takes tabs (the parent stays), only a list columns and rows.
    EXPECT_FALSE(addTab(1, "x") || addTab(20, "x") || addListColumn(1, 0, "x", 9) ||
                 addListColumn(7, -1, "x", 9));
    EXPECT_EQ(std::tuple(addListRow(1, "x", NoPicture), listColumnCount(7), listColumnCount(1),
                         listColumnWidth(1, 0), listRowPicture(1, 0), listCellColour(1, 0, 0)),
              std::tuple(-1, 1, -1, -1, NoPicture, -1));
    const int chart = kinds - 1; // the last kind: one chart without series
    EXPECT_EQ(std::tuple(chartCount(1), chartSeriesCount(chart, 1), chartSeriesCount(chart, -1)),
              std::tuple(-1, -1, -1));
    ASSERT_TRUE(createLabel(20, 0, 0, 9, 9, "", 0));
    EXPECT_EQ(controlWidget(20)->parentWidget(), window);

    EXPECT_FALSE(createToolBar(0, 1) || createStatusBar(0, 1));
    ASSERT_TRUE(createToolBar(0, 0) && createStatusBar(0, 0));
    ASSERT_TRUE(addToolButton(0, 10, StandardIcon::Help));
    EXPECT_FALSE(createToolBar(0, 0) || createStatusBar(0, 0) ||
                 addToolButton(1, 11, StandardIcon::Help) || addToolPictureButton(1, 11, 16, 0) ||
                 addToolButton(0, 10, StandardIcon::Help) || addToolPictureButton(0, 10, 16, 1));
    EXPECT_EQ(window->findChildren<QToolBar*>(), QList{toolBarWidget(0)});
    EXPECT_EQ(toolBarWidget(0)->actions().size(), 1);
    EXPECT_FALSE(addStatusField(1, 50) || addStatusField(0, 0) || addStatusField(0, -1) ||
                 statusField(0, 0));
    closeWindow(0); // takes its controls, bars and the parent along
    EXPECT_FALSE(controlWidget(3) || toolBarWidget(0) || statusBarWidget(0) ||
                 createLabel(3, 0, 0, 9, 9, "", 0));
}

// A page goes to the desktop's opener (here a stand-in on the PATH that notes what it was
// given and answers with the status named in its folder): a file as its file:// address, given
// plainly or as one; nothing, a folder or a missing file is refused without starting it; an
// opener that fails is a refusal too.
TEST_F(WindowLayer, PagesGoToTheDesktopsOpener) {
    const auto put = [](const std::string& f, const std::string& t) { std::ofstream(f) << t; };
    const QString bin = QDir::temp().filePath(QStringLiteral("selvo-opener-%1").arg(getpid()));
    ASSERT_TRUE(QDir().mkpath(bin));
    const std::string opener = (bin + "/xdg-open").toStdString(), noted = opener + ".noted";
    put(opener, "#!/bin/sh\necho \"$1\" >>\"$0.noted\"\nexit $(cat \"$0.status\")\n");
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8() + ":" + path);
    const std::string page = QFileInfo(QStringLiteral("Help.htm")).absoluteFilePath().toStdString();
    put(opener + ".status", "0");
    for (const std::string& p : {std::string(), std::string("Media"), "file://" + page + ".fehlt"})
        EXPECT_FALSE(ui::openInBrowser(p)) << p;
    EXPECT_TRUE(ui::openInBrowser("Help.htm") && ui::openInBrowser("file://" + page));
    put(opener + ".status", "3");
    EXPECT_FALSE(ui::openInBrowser(page));
    qputenv("PATH", path);
    EXPECT_EQ(support::fileBytes(noted),
              "file://" + page + "\nfile://" + page + "\nfile://" + page + "\n");
    QDir(bin).removeRecursively();
}

} // namespace
