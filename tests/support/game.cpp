// The game and its windows started headless, clicked like a player and written down as text.
#include "tests/support/game.h"

#include "app/main_window.h"
#include "app/startup.h"
#include "model/herd.h"
#include "map/numbers.h"
#include "report/forecast_run.h"
#include "ui/qt_access.h"
#include "ui/window.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QHeaderView>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace support {

namespace {

// The screen's configuration lives in a folder of its own, removed at exit.
struct Screen {
    std::filesystem::path folder;
    Screen() {
        char name[] = "/tmp/selvo-test-XXXXXX";
        if (!mkdtemp(name)) return;
        folder = name;
        setenv("XDG_RUNTIME_DIR", name, 0);
        const std::string config = folder / "screen.json";
        std::ofstream(config) << R"({"screens": [{"name": "Test", "x": 0, "y": 0, )"
                                 R"("width": 1280, "height": 1024, "logicalDpi": 96, )"
                                 R"("logicalBaseDpi": 96, "dpr": 1}]})";
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        if (!platform || std::string(platform) == "offscreen")
            setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
    }
    ~Screen() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

} // namespace

void useOffscreenScreen() {
    static Screen screen;
}

void startWindowing() {
    useOffscreenScreen();
    ui::initWindowing();
}

void startGame() {
    static bool started = false;
    if (started) return;
    started = true;
    startWindowing();
    app::startUp();
    ASSERT_TRUE(app::buildMainWindow());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::windowWidget(map::MainWindow)));
    pump();
}

void pump(int passes) {
    for (int i = 0; i < passes; ++i)
        app::handleMainEvent(ui::pollEvent());
}

void clickMap(int mx, int my, Qt::MouseButton button) {
    QWidget* mapWidget = ui::controlWidget(map::MapPicture);
    // The cursor is left where it is: the click's own position is what counts.
    QTest::mouseClick(mapWidget, button, {}, QPoint(mx, my));
    pump();
}

void pressControl(int control) {
    QTest::mouseClick(ui::controlWidget(control), Qt::LeftButton);
}

void pressToolItem(int item) {
    QTest::mouseClick(ui::toolItemWidget(map::MainToolBar, item), Qt::LeftButton);
}

void clickControl(int control) {
    pressControl(control);
    pump();
}

void clickToolItem(int item) {
    pressToolItem(item);
    pump();
}

std::array<std::string, 5> statusTexts() {
    std::array<std::string, 5> t;
    for (int i = 0; i < 5; ++i)
        t[i] = ui::statusText(map::MainStatusBar, i);
    return t;
}

void throughDialog(const std::function<void()>& action, const std::string& path) {
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            answer.stop();
            // Typed into the name field: the dialog's list may still be reading the folder.
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    answer.start(20);
    action();
}

void throughDialog(int item, const std::string& path) {
    throughDialog([item] { clickToolItem(item); }, path);
}

void whileOpen(const std::function<void()>& action, const std::function<void()>& check) {
    QTimer::singleShot(50, check);
    action();
}

void useBuiltSimulator(std::optional<std::uint32_t> seed) {
    report::forecastSetup.program = SELVO_BINARY_DIR "/selvo-sim";
    report::forecastSetup.seed = seed;
}

void whenForecastDone(const std::function<void()>& then) {
    QTimer::singleShot(20, [then] {
        if (report::forecast.running)
            whenForecastDone(then);
        else
            then();
    });
}

void requestClose(int window) {
    if (QWidget* w = ui::windowWidget(window)) w->close();
}

std::string listText(int list) {
    std::ostringstream out;
    out << "  columns:";
    for (int c = 0; c < ui::listColumnCount(list); ++c)
        out << " " << ui::listColumnTitle(list, c) << "/" << ui::listColumnWidth(list, c);
    for (int r = 0; r < ui::listRowCount(list); ++r) {
        out << "\n  row " << r << " picture " << ui::listRowPicture(list, r) << ":";
        for (int c = 0; c < ui::listColumnCount(list); ++c) {
            out << " [" << ui::listCellText(list, r, c);
            char colour[12];
            if (const std::int32_t c32 = ui::listCellColour(list, r, c); c32 >= 0) {
                std::snprintf(colour, sizeof colour, " #%06x", unsigned(c32));
                out << colour;
            }
            out << "]";
        }
    }
    out << "\n";
    return out.str();
}

std::string windowText(int window) {
    std::ostringstream out;
    QWidget* w = ui::windowWidget(window);
    if (!w) return "no window " + std::to_string(window) + "\n";
    out << "window " << window << " \"" << w->windowTitle().toStdString() << "\" " << w->width()
        << "x" << w->height() << " at " << w->x() << "," << w->y() << "\n";
    for (int n = 0; n < 64; ++n) {
        QWidget* c = ui::controlWidget(n);
        if (!c || c->window() != w) continue;
        const QRect g = c->geometry();
        QString text = QString::fromStdString(ui::controlText(n)).replace('\n', '/');
        out << "control " << n << " " << g.x() << "," << g.y() << " " << g.width() << "x"
            << g.height() << " picture " << ui::controlPicture(n) << " \"" << text.toStdString()
            << "\"";
        if (auto* tabs = qobject_cast<QTabWidget*>(c))
            for (int t = 0; t < tabs->count(); ++t)
                out << " tab \"" << tabs->tabText(t).toStdString() << "\"";
        if (c->parentWidget() != w) out << " on a page";
        out << "\n";
        if (ui::listColumnCount(n) >= 0) out << listText(n);
        if (auto* list = qobject_cast<QTreeWidget*>(c))
            out << "  icons " << list->iconSize().width() << "x" << list->iconSize().height()
                << (list->uniformRowHeights() ? ", rows alike" : "")
                << (list->header()->sectionsMovable() ? ", columns movable" : "") << "\n";
    }
    for (int item = 0; item < 64; ++item) {
        auto* button = qobject_cast<QToolButton*>(ui::toolItemWidget(map::MainToolBar, item));
        if (!button || button->window() != w) continue;
        out << "tool item " << item << (button->isCheckable() ? " toggle" : "")
            << (ui::isToolItemDown(map::MainToolBar, item) ? " down" : "") << "\n";
    }
    if (auto* bar = qobject_cast<QStatusBar*>(ui::statusBarWidget(map::MainStatusBar));
        bar && bar->window() == w)
        out << "status bar" << (bar->isSizeGripEnabled() ? " with a size grip" : "") << "\n";
    for (int field = 0; QLabel* f = ui::statusField(map::MainStatusBar, field); ++field)
        if (f->window() == w)
            out << "status field " << field << " x " << f->x() << " width " << f->width() << " \""
                << f->text().toStdString() << "\"\n";
    return out.str();
}

} // namespace support
