// The main window: its controls, the player's interventions and the main event loop.
#pragma once

#include "model/animal.h"
#include "ui/window.h"

#include <cstdint>

namespace app {

enum Mode : std::int32_t { Keeping = 0, Rifle = 1, Basket = 2 };

// What a left click on an animal does. Set by the three mode buttons; survives new games.
extern std::int32_t InterventionMode;

// Opens the main window with its controls, tool bar and status bar, and starts the first game.
// False when the window cannot be opened.
bool buildMainWindow();

// Handles one event of the main loop completely (including any redraw).
void handleMainEvent(const ui::Event& ev);

// Polls, handles and sleeps 1 ms per pass until a close request arrives.
void runMainLoop();

// The player's actions, as the main loop runs them for clicks (map coordinates) and buttons.
// A left click shoots, takes up or releases by the mode; a right click shows an animal's data.
void leftClickAt(std::int32_t mx, std::int32_t my);
void rightClickAt(std::int32_t mx, std::int32_t my);
void chooseMode(Mode mode);
// One year, the redraw, and at the end of the herd the message and a new game.
void runYear();

// The first animal in Herd order whose footprint contains the map point, or nullptr.
model::Animal* hitTest(std::int32_t mx, std::int32_t my);

} // namespace app
