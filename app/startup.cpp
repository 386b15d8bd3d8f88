// Start-up and shut-down of the game.
#include "app/startup.h"

#include "map/history.h"
#include "map/statistics.h"
#include "model/herd.h"
#include "model/numbers.h"
#include "model/player.h"
#include "model/tables.h"
#include "ui/picture.h"
#include "ui/window.h"

#include <filesystem>
#include <system_error>

namespace app {

std::string WorkingFolder;
const char* const WindowTitle = "Selvo mornik";

std::string folderWithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

void startUp() {
    model::resetHerd();
    model::resetPlayer();
    map::resetStatistics();
    map::resetHistory();

    ui::initWindowing();

    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    WorkingFolder = folderWithSeparator(ec ? std::string() : cwd.string());

    model::loadTables();
    for (int n = 0; n < model::PictureCount; ++n)
        ui::loadPicture(n, WorkingFolder + model::PictureFiles[n]);
}

void shutDown() {
    if (ui::windowExists(model::MainWindow)) ui::closeWindow(model::MainWindow);
    ui::freeAllPictures();
    model::herdClear();
    ui::shutdownWindowing();
}

} // namespace app
