// Selvo mornik: the command line, start-up, the main window and its loop, shut-down.
#include "app/command_line.h"
#include "app/game_file.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "model/random.h"
#include "model/savegame.h"

#include <cstdio>

int main(int argc, char** argv) {
    app::CommandLine line;
    std::string error;
    if (!app::parseCommandLine(argc, argv, line, error)) {
        std::fprintf(stderr, "selvo-mornik: %s\n", error.c_str());
        return 2;
    }
    if (line.help) {
        std::fputs(app::usageText(), stdout);
        return 0;
    }
    app::startUp();
    // A saved game is read and checked whole before any window opens.
    model::SavedGame saved;
    if (!line.file.empty()) {
        app::takeAreaMap();
        if (!model::loadSavedGame(line.file, saved, error)) {
            std::fprintf(stderr, "selvo-mornik: %s: %s\n", line.file.c_str(), error.c_str());
            app::shutDown();
            return 2;
        }
    }
    if (app::buildMainWindow()) {
        if (!line.file.empty()) app::playSavedGame(saved);
        if (line.seedGiven) model::seedRandom(line.seed);
        app::runMainLoop();
    }
    app::shutDown();
    return 0;
}
