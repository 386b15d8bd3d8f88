// The game and its windows started headless, clicked like a player and written down as text.
#pragma once

#include <Qt>

#include <array>
#include <cstdint>
#include <optional>
#include <functional>
#include <string>

namespace support {

// Chooses Qt's offscreen platform with a 1280 x 1024 screen, so that the centred 1000 x 700 main
// window fits unshrunk, for this process and the children it forks; its files go at exit. An
// explicitly chosen platform (xvfb-run with QT_QPA_PLATFORM=xcb) is left alone.
void useOffscreenScreen();
// The same, then starts the windowing system. Safe to call again.
void startWindowing();

// Starts the game once per process in the working folder (real pictures from its Media/).
void startGame();

// Runs the main loop's handling until no event is left.
void pump(int passes = 10);

// Clicks the map at map coordinates with the cursor there too, then pumps.
void clickMap(int mx, int my, Qt::MouseButton button = Qt::LeftButton);
void clickControl(int control);
void clickToolItem(int item);
// The same clicks without the main loop's handling, for a secondary window's own loop.
void pressControl(int control);
void pressToolItem(int item);

std::array<std::string, 5> statusTexts();

// Runs `check` (from a timer) as soon as the loop that `action` enters is waiting, e.g. to look
// at a secondary window and close it; returns when `action` has returned.
void whileOpen(const std::function<void()>& action, const std::function<void()>& check);

// The report's page "Prognose" computed by this build's selvo-sim, from `seed` when given.
void useBuiltSimulator(std::optional<std::uint32_t> seed);
// Runs `then` (from a timer) once the report's futures are all computed or have failed.
void whenForecastDone(const std::function<void()>& then);

// Runs `action` (clicks tool-bar item `item`) and answers the file dialog it opens with `path`,
// typed as a player would; returns when the action has returned.
void throughDialog(const std::function<void()>& action, const std::string& path);
void throughDialog(int item, const std::string& path);

// Sends the window manager's close request to one of our windows.
void requestClose(int window);

// List `list` as text: each column's title/width, then per row its picture and every cell
// [text #colour], the colour as the game gives it (0x00BBGGRR in hex).
std::string listText(int list);

// Window `window` as text: title, client size and position, then one line per control on it
// (number, geometry, text, picture; lists with every column, cell, colour and row picture),
// its tool-bar items and status fields.
std::string windowText(int window);

} // namespace support
