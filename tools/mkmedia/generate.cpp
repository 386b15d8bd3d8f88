// Builds terrain, Areas and all small pictures, and writes them as PNG files.
#include "tools/mkmedia/generate.h"

#include "tools/mkmedia/app_icon.h"
#include "tools/mkmedia/areas.h"
#include "tools/mkmedia/borders.h"
#include "tools/mkmedia/icons.h"
#include "tools/mkmedia/map_paint.h"
#include "tools/mkmedia/pictures.h"
#include "tools/mkmedia/png_io.h"
#include "tools/mkmedia/terrain.h"
#include "tools/mkmedia/tool_icons.h"

namespace mkmedia {

bool generateAll(const std::string& outDir, std::string& report, std::string& error) {
    const Terrain terrain = buildTerrain();
    const Image plain = paintMap(terrain);
    const AreaGrid areas = buildAreas(terrain);
    report = areaReport(areas);

    struct Output {
        std::string name;
        Image image;
    };
    std::vector<Output> outputs;
    outputs.push_back({"Karte.png", plain});
    outputs.push_back({"KarteBorders.png", drawBorders(plain, areas)});
    outputs.push_back({"KarteGebiete.png", areasPicture(areas)});
    for (std::size_t i = 0; i < IconColourWords.size(); ++i) {
        const std::string word = IconColourWords[i];
        outputs.push_back(
            {"Selvo " + word + ".png", drawAnimalIcon(BigIconSize, IconBodyColours[i])});
        outputs.push_back(
            {"Selvo " + word + " kl.png", drawAnimalIcon(SmallIconSize, IconBodyColours[i])});
    }
    outputs.push_back({"Gewehr.png", drawRifle()});
    outputs.push_back({"Korb.png", drawBasket()});
    outputs.push_back({"Hege.png", drawKeeping()});
    outputs.push_back({"TB_Gebiete.png", drawBordersTool()});
    for (const ToolIcon& icon : toolIcons())
        outputs.push_back({icon.file, icon.draw()});
    for (const Output& o : outputs) {
        if (!writePng(outDir + "/" + o.name, o.image)) {
            error = "cannot write " + outDir + "/" + o.name;
            return false;
        }
    }
    return true;
}

bool generateAppIcons(const std::string& outDir, std::string& error) {
    for (const int size : AppIconSizes) {
        const std::string path = outDir + "/selvo-mornik-" + std::to_string(size) + ".png";
        if (!writePng(path, drawAppIcon(size))) {
            error = "cannot write " + path;
            return false;
        }
    }
    return true;
}

} // namespace mkmedia
