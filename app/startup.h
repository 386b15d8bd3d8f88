// Start-up and shut-down of the game: tables, pictures, the toolkit.
#pragma once

#include <string>

namespace app {

// The current directory at start-up, ending in "/"; every picture path starts with it.
extern std::string WorkingFolder;

extern const char* const WindowTitle; // "Selvo mornik"

// Resets the model and the history, starts the toolkit, takes the working folder, fills the
// tables and loads the twenty pictures. Missing pictures stay empty, unreported.
void startUp();

// Gives the model the Area map read from the areas picture (waiting for it if it is still being
// read), or no map when the picture is missing.
void takeAreaMap();

// Closes the main window if open, frees every picture and closes every other window.
void shutDown();

// The folder with a "/" at its end; takes any length.
std::string folderWithSeparator(std::string folder);

} // namespace app
