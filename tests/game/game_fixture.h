// The game started in its real window, offscreen, and helpers that click like a player.
#pragma once

#include "model/animal.h"
#include "ui/window.h"

#include <QPoint>
#include <Qt>

#include <array>
#include <functional>
#include <string>

class QWidget;

namespace game_test {

// Starts the game once for the whole test program (real pictures from Media/).
void startGame();

// Runs the main loop's passes until no event is left.
void pump(int passes = 10);

// Clicks the map at map coordinates with the cursor there too, then pumps.
void clickMap(int mx, int my, Qt::MouseButton button = Qt::LeftButton);
void clickControl(int control);
void clickToolItem(int item);
// The same clicks without running the main loop's handling, for use while a secondary window's
// own loop is waiting.
void pressControl(int control);
void pressToolItem(int item);

std::array<std::string, 5> statusTexts();
int animalCount();

// Runs `check` as soon as the secondary loop is waiting (from a timer), e.g. to look at a
// window and close it; returns when `action` (which enters that loop) has returned.
void whileOpen(const std::function<void()>& action, const std::function<void()>& check);

// Sends the window manager's close request to one of our windows.
void requestClose(int window);

// Picture 2 (the shown map frame) at a map point.
std::int32_t framePixel(int mx, int my);
std::int32_t picturePixel(int picture, int mx, int my);

} // namespace game_test
