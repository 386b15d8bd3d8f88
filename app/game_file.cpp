// Saving the game into a file and opening a saved one.
#include "app/game_file.h"

#include "map/history.h"
#include "map/numbers.h"
#include "map/redraw.h"
#include "model/player.h"
#include "model/savegame.h"
#include "ui/save_file.h"
#include "ui/window.h"

namespace app {

namespace {

constexpr const char* Filter = "Spielstand (*.selvo)";

} // namespace

void saveGameAs() {
    const std::string path = ui::askFileToSave("Spielstand speichern", Filter, "selvo");
    if (path.empty()) return;
    const std::string text =
        model::writeSavedGame(model::captureGame(map::History, map::HistoryStride));
    std::string error;
    if (!ui::writeFileThrough(path, text, error))
        ui::messageBox("Speichern", "Speichern fehlgeschlagen: " + error);
}

void openGameFile() {
    const std::string path = ui::askFileToOpen("Spielstand öffnen", Filter);
    if (path.empty()) return;
    std::string error;
    if (!openGame(path, error)) ui::messageBox("Öffnen", "Öffnen fehlgeschlagen: " + error);
}

bool openGame(const std::string& path, std::string& error) {
    model::SavedGame game;
    if (!model::loadSavedGame(path, game, error)) return false;
    playSavedGame(game);
    return true;
}

void playSavedGame(const model::SavedGame& game) {
    model::restoreGame(game);
    map::History = game.history;
    map::HistoryStride = game.historyStride;
    ui::setControlPicture(map::ModeIndicator, map::ModePictures[model::InterventionMode]);
    // The information box keeps the last animal right-clicked, as at a new game.
    map::redrawMap();
}

} // namespace app
