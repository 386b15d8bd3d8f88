// The main window's loop with its modal moments: the end of a herd, and the report and help
// windows, whose own loops swallow the main window's events and end on any close request.
#include "app/main_window.h"
#include "app/numbers.h"
#include "map/history.h"
#include "model/herd.h"
#include "model/savegame.h"
#include "tests/support/game.h"
#include "tests/support/support.h"
#include "ui/picture.h"
#include "ui/qt_access.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace model;
using namespace map;
using namespace support;

class Game : public ::testing::Test {
  protected:
    // No icon theme, as on a bare window manager or a kiosk: the tool bar must bring its own.
    static void SetUpTestSuite() {
        startWindowing();
        QIcon::setThemeSearchPaths({});
        startGame();
    }
    void SetUp() override {
        clickToolItem(NewGameButton);
        ASSERT_EQ(herdCount(), 19);
    }
};

TEST_F(Game, AnEmptyHerdEndsTheGameAndANewOneStartsInTheSameMode) {
    clickControl(RifleButton);
    for (int shots = 0; !herdEmpty() && shots < 19; ++shots)
        clickMap(herdBegin()->x, herdBegin()->y);
    ASSERT_TRUE(herdEmpty());
    std::string message;
    whileOpen([] { clickControl(YearButton); },
              [&] {
                  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                  ASSERT_NE(box, nullptr);
                  message = (box->windowTitle() + ": " + box->text()).toStdString();
                  box->accept();
              });
    EXPECT_EQ(message, "Ende: Keine Population mehr vorhanden");
    EXPECT_EQ(std::pair(herdCount(), InterventionMode), std::pair(19, int(Rifle)));
    EXPECT_EQ(statusTexts()[0].rfind("Jahr 0 war ", 0), 0u) << statusTexts()[0];
    clickControl(KeepingButton);
}

// While a secondary window is open, "Runde" and the tool bar do nothing, then or later, and the
// main window's close box closes only the secondary window.
TEST_F(Game, SecondaryWindowsSwallowItsEventsAndCloseOnItsCloseBox) {
    for (auto [item, window] : {std::pair{ReportButton, ReportWindow}, {HelpButton, HelpWindow}}) {
        const std::string yearBefore = statusTexts()[0];
        const Animal* firstBefore = &*herdBegin();
        bool wasOpen = false;
        whileOpen([item = item] { clickToolItem(item); },
                  [&, window = window] {
                      wasOpen = ui::windowExists(window);
                      pressControl(YearButton);
                      pressToolItem(NewGameButton);
                      requestClose(MainWindow);
                  });
        EXPECT_TRUE(wasOpen) << window;
        EXPECT_FALSE(ui::windowExists(window));
        ASSERT_TRUE(ui::windowExists(MainWindow));
        EXPECT_TRUE(ui::windowWidget(MainWindow)->isVisible());
        pump(20); // nothing was carried over to the main loop
        EXPECT_EQ(statusTexts()[0], yearBefore);
        EXPECT_TRUE(herdContains(firstBefore)) << "no new game either";
    }
}

// Without a theme each standard item shows the game's own picture, pixel for pixel, not the
// style's last resort.
TEST_F(Game, ToolBarShowsItsOwnIconsWithoutAnIconTheme) {
    ASSERT_FALSE(QIcon::hasThemeIcon("help-contents"));
    for (auto [item, picture] : {std::pair{NewGameButton, NewGameToolPicture},
                                 {ReportButton, ReportToolPicture},
                                 {HelpButton, HelpToolPicture},
                                 {OpenButton, OpenToolPicture},
                                 {SaveButton, SaveToolPicture}}) {
        const ui::Picture* own = ui::pictureHandle(picture);
        ASSERT_TRUE(own && own->channels == 4)
            << app::ToolPictureFiles[picture - NewGameToolPicture];
        const QImage want =
            QImage(own->pixels.data(), own->width, own->height, QImage::Format_ARGB32)
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        auto* button = qobject_cast<QToolButton*>(ui::toolItemWidget(MainToolBar, item));
        ASSERT_NE(button, nullptr);
        const QImage shown = button->icon().pixmap(16, 16).toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(shown, want) << "tool-bar item " << item;
    }
}

// With no browser to be found (empty PATH, no BROWSER), the link opens the page in a window of
// its own, titled as the page; its close box closes it alone, the help window's ends both.
TEST_F(Game, HelpPageOpensInItsOwnWindowWhereNoBrowserStarts) {
    TempFolder empty;
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", empty.path.c_str(), 1);
    ::unsetenv("BROWSER");
    std::string title, text;
    bool closedAlone = false, fills = false;
    whileOpen([] { clickToolItem(HelpButton); },
              [&] {
                  pressControl(app::HelpLink);
                  QTimer::singleShot(50, [&] {
                      if (QWidget* page = ui::windowWidget(HelpPageWindow)) {
                          title = page->windowTitle().toStdString();
                          if (auto* view = qobject_cast<QTextBrowser*>(
                                  ui::controlWidget(app::HelpPageView))) {
                              text = view->toPlainText().toStdString();
                              fills = view->geometry() == page->rect();
                          }
                      }
                      requestClose(HelpPageWindow);
                      QTimer::singleShot(50, [&] {
                          closedAlone =
                              !ui::windowExists(HelpPageWindow) && ui::windowExists(HelpWindow);
                          requestClose(HelpWindow);
                      });
                  });
              });
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(title, "Selvo mornik – Hilfe");
    EXPECT_NE(text.find("Die Werkzeugleiste"), std::string::npos) << text.substr(0, 200);
    EXPECT_TRUE(closedAlone && fills) << "closed alone, the page filling its window";
    EXPECT_FALSE(ui::windowExists(HelpWindow) || ui::windowExists(HelpPageWindow));
}

// A save that cannot be written and a file that is no saved game each say so in a message box;
// the old file and the running game stay as they were.
TEST_F(Game, AFailedSaveOrOpenSaysSoAndChangesNothing) {
    TempFolder folder;
    const std::string locked = folder.write("locked.selvo", {'o', 'l', 'd'});
    std::filesystem::permissions(locked, std::filesystem::perms::others_read |
                                             std::filesystem::perms::owner_read);
    const std::string text = "selvo-mornik-spielstand 1\nyear x\n";
    const std::string broken = folder.write("broken.selvo", {text.begin(), text.end()});
    const auto messageAfter = [](int item, const std::string& path) {
        std::string message;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
                yes->click(); // the dialog's own question: replace the existing file
                return;
            }
            message = (box->windowTitle() + ": " + box->text()).toStdString();
            box->accept();
        });
        closer.start(20);
        throughDialog(item, path);
        return message;
    };
    const std::string before = model::writeSavedGame(model::captureGame(History, HistoryStride));
    EXPECT_EQ(messageAfter(SaveButton, locked), "Speichern: Speichern fehlgeschlagen: " + locked +
                                                    " ist schreibgeschützt: keine Berechtigung");
    EXPECT_EQ(support::fileBytes(locked), "old");
    EXPECT_EQ(messageAfter(OpenButton, broken), "Öffnen: Öffnen fehlgeschlagen: Zeile 2: „x“ ist "
                                                "keine ganze Zahl");
    EXPECT_EQ(model::writeSavedGame(model::captureGame(History, HistoryStride)), before);
}

} // namespace

namespace {

// A screen reader reads the German name of every control that shows only a picture, and the
// five fields as the window's status bar; none of those names shows up as a tool tip.
TEST_F(Game, AssistiveTechnologyNamesPictureControlsAndSeesTheStatusBar) {
    auto tool = [](int item) { return ui::toolItemWidget(MainToolBar, item); };
    const std::pair<QWidget*, QString> named[] = {{ui::controlWidget(RifleButton), "Gewehr"},
                                                  {ui::controlWidget(BasketButton), "Korb"},
                                                  {tool(NewGameButton), "Neues Spiel"},
                                                  {tool(AreaBordersToggle), "Gebietsgrenzen"},
                                                  {tool(ReportButton), "Bericht"},
                                                  {tool(HelpButton), "Hilfe"},
                                                  {tool(OpenButton), "Öffnen"},
                                                  {tool(SaveButton), "Speichern"}};
    for (const auto& [widget, name] : named) {
        ASSERT_NE(widget, nullptr) << name.toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
        QHelpEvent hover(QEvent::ToolTip, QPoint(4, 4), widget->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(widget, &hover);
        EXPECT_FALSE(QToolTip::isVisible()) << name.toStdString();
    }
    // (Where the fields lie is the golden session's.)
    QWidget* bar = ui::statusBarWidget(MainStatusBar);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bar)->role(), QAccessible::StatusBar);
}

} // namespace
