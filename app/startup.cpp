// Start-up and shut-down of the game.
#include "app/startup.h"

#include "app/numbers.h"
#include "map/history.h"
#include "model/areas.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/tables.h"
#include "report/forecast_run.h"
#include "ui/picture.h"
#include "ui/window.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace app {

std::string WorkingFolder;
const char* const WindowTitle = "Selvo mornik";

std::string folderWithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

void startUp() {
    model::resetModel();
    map::resetHistory();

    ui::initWindowing();

    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    WorkingFolder = folderWithSeparator(ec ? std::string() : cwd.string());
    // The forecast's simulator reads the same areas picture as the game.
    report::forecastSetup.mediaDir = WorkingFolder + "Media";

    model::loadTables();
    // Read on a second thread while the window is built; each picture is waited for where used.
    std::vector<std::string> paths;
    for (const char* file : PictureFiles)
        paths.push_back(WorkingFolder + file);
    for (const char* file : ToolPictureFiles)
        paths.push_back(WorkingFolder + file);
    ui::loadPictures(paths);
}

void takeAreaMap() {
    model::AreaMap areas;
    if (const ui::Picture* p = ui::pictureHandle(map::AreasPicture)) {
        areas.width = p->width;
        areas.height = p->height;
        areas.values = ui::pixelValues(*p);
    }
    model::setAreaMap(std::move(areas));
}

void shutDown() {
    if (ui::windowExists(map::MainWindow)) ui::closeWindow(map::MainWindow);
    ui::freeAllPictures();
    model::herdClear();
    ui::shutdownWindowing();
}

} // namespace app
