// The main window: its controls, turning the player's clicks into the game's actions, and the
// main event loop.
#pragma once

#include "model/player.h"
#include "ui/window.h"

#include <cstdint>

namespace app {

// Opens the main window with its controls, tool bar and status bar, and starts the first game.
// False when the window cannot be opened.
bool buildMainWindow();

// Handles one event of the main loop completely (including any redraw).
void handleMainEvent(const ui::Event& ev);

// Polls, handles and sleeps 1 ms per pass until a close request arrives.
void runMainLoop();

// A new game in the model, then the redraw of the map and the status bar.
void startNewGame();

// What the loop does for a click on the map (map coordinates) and for the buttons: the player's
// rule, then the redraw or the information text it calls for.
void leftClickAt(std::int32_t mx, std::int32_t my);
void rightClickAt(std::int32_t mx, std::int32_t my);
void chooseMode(model::Mode mode);
// One year, the redraw, and at the end of the herd the message and a new game.
void runYear();

} // namespace app
