// Saving the game into a file and opening a saved one, from the tool bar and the command line.
#pragma once

#include "model/savegame.h"

#include <string>

namespace app {

// Asks for a name and writes the current game there; a failure says so in a message box
// ("Speichern fehlgeschlagen: ...") and leaves an old file as it was.
void saveGameAs();

// Asks for a saved game and opens it; a failure says so in a message box and the running game
// goes on unchanged.
void openGameFile();

// Reads and checks the saved game at `path` and, only when all of it is sound, makes it the
// running game: herd, counts, mode, basket, random generator and history; then redraws.
// False, changing nothing, with the German reason in `error`.
bool openGame(const std::string& path, std::string& error);

// Makes a saved game that has been read and checked the running game, as openGame does.
void playSavedGame(const model::SavedGame& game);

} // namespace app
