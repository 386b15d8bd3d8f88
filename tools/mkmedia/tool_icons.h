// The tool bar's own icons, for desktops whose icon theme lacks the standard ones: a new sheet,
// the report, help, open and save, each 16 x 16 RGBA like the Area-borders picture.
#pragma once

#include "tools/mkmedia/image.h"

#include <array>
#include <functional>

namespace mkmedia {

struct ToolIcon {
    const char* file; // in Media/, as app/numbers.h loads it
    std::function<Image()> draw;
};

Image drawNewGameTool(); // a blank sheet with a folded corner and a green plus
Image drawReportTool();  // a sheet with the three gene colours as bars
Image drawHelpTool();    // a white question mark on a blue disc
Image drawOpenTool();    // an opened yellow folder
Image drawSaveTool();    // a floppy disk

// In the order of the game's tool-bar pictures (map/numbers.h).
const std::array<ToolIcon, 5>& toolIcons();

} // namespace mkmedia
