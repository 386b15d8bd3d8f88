// Starting the game offscreen and clicking like a player.
#include "game_fixture.h"

#include "app/main_window.h"
#include "app/startup.h"
#include "model/herd.h"
#include "model/numbers.h"
#include "ui/picture.h"
#include "ui/qt_access.h"

#include <QApplication>
#include <QCursor>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

namespace game_test {

namespace {
bool started = false;
}

void startGame() {
    if (started) return;
    started = true;
    app::startUp();
    ASSERT_TRUE(app::buildMainWindow());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::windowWidget(model::MainWindow)));
    pump();
}

void pump(int passes) {
    for (int i = 0; i < passes; ++i)
        app::handleMainEvent(ui::pollEvent());
}

void clickMap(int mx, int my, Qt::MouseButton button) {
    QWidget* mapWidget = ui::controlWidget(model::MapPicture);
    const QPoint local(mx, my);
    QCursor::setPos(mapWidget->mapToGlobal(local));
    QTest::mouseClick(mapWidget, button, {}, local);
    pump();
}

void pressControl(int control) {
    QTest::mouseClick(ui::controlWidget(control), Qt::LeftButton);
}

void pressToolItem(int item) {
    QTest::mouseClick(ui::toolItemWidget(model::MainToolBar, item), Qt::LeftButton);
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
        t[i] = ui::statusText(model::MainStatusBar, i);
    return t;
}

int animalCount() {
    return model::herdCount();
}

void whileOpen(const std::function<void()>& action, const std::function<void()>& check) {
    QTimer::singleShot(50, check);
    action();
}

void requestClose(int window) {
    if (QWidget* w = ui::windowWidget(window)) w->close();
}

std::int32_t picturePixel(int picture, int mx, int my) {
    if (!ui::openDrawing(picture)) return -1;
    const std::int32_t v = ui::readPixel(mx, my);
    ui::closeDrawing();
    return v;
}

std::int32_t framePixel(int mx, int my) {
    return picturePixel(2, mx, my);
}

} // namespace game_test
