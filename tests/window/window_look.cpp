// Opens the game's three windows with made-up pictures and prints their events, for looking at
// the layer on a real display (e.g. under Xvfb with a screenshot). Runs for argv[1] seconds.
#include "ui/picture.h"
#include "ui/window.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A picture with a diagonal colour ramp; 4 channels get a transparent round-off at the corners.
ui::Picture ramp(int width, int height, int channels, int seed) {
    ui::Picture picture;
    picture.width = width;
    picture.height = height;
    picture.channels = channels;
    picture.pixels.resize(static_cast<std::size_t>(width) * height * channels);
    std::size_t at = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            picture.pixels[at++] = static_cast<std::uint8_t>(seed * 40 + x * 255 / width);
            picture.pixels[at++] = static_cast<std::uint8_t>(y * 255 / height);
            picture.pixels[at++] = static_cast<std::uint8_t>(seed * 90);
            if (channels == 4) {
                const bool corner = (x < 2 || x >= width - 2) && (y < 2 || y >= height - 2);
                picture.pixels[at++] = corner ? 0 : 255;
            }
        }
    return picture;
}

// A real picture from Media/ when it is there, else a made-up one of the given size.
void providePicture(int number, const char* file, int width, int height, int channels) {
    if (!ui::loadPicture(number, std::string("Media/") + file))
        ui::setPicture(number, ramp(width, height, channels, number));
}

void buildMainWindow() {
    using namespace ui;
    openWindow(0, 0, 0, 1000, 700, "Selvo mornik", TitleBar | SizingBorder | CentreOnScreen);
    setControlParent(0);
    createPictureControl(0, 5, 30, 900, 640, 2);
    createLabel(1, 910, 30, 80, 15, "Modus", LabelCentred | LabelSunken);
    createPictureControl(2, 925, 50, 80, 25, 18);
    createTextBox(3, 910, 100, 80, 100);
    setControlText(3, "Jahr 1\nHerde: 12\nFläche: 40 ha");
    createPictureControl(4, 910, 240, 50, 30, NoPicture);
    createPictureButton(5, 910, 350, 80, 25, 16);
    createPictureButton(6, 910, 390, 80, 25, 17);
    createButton(7, 910, 430, 80, 25, "Hege");
    createButton(8, 910, 650, 80, 25, "Runde");
    createToolBar(0, 0);
    addToolButton(0, 9, StandardIcon::NewDocument);
    addToolPictureButton(0, 10, 19, true);
    addToolSeparator(0);
    addToolButton(0, 11, StandardIcon::Properties);
    addToolSeparator(0);
    addToolButton(0, 12, StandardIcon::Help);
    createStatusBar(0, 0);
    for (int field = 0; field < 5; ++field)
        addStatusField(0, 200);
    setStatusText(0, 0, "Jahr 1");
    setStatusText(0, 4, "Bereit");
}

void buildReportWindow() {
    using namespace ui;
    openWindow(2, 300, 210, 534, 532, "GenPool", TitleBar);
    setControlParent(2);
    createPanel(13, 5, 5, 520, 520);
    addTab(13, "Übersicht");
    createLabel(14, 13, 43, 70, 15, "Tiere", 0);
    createLabel(15, 13, 63, 70, 15, "Anteil", LabelSunken);
    createList(19, 93, 63, 330, 100, "Merkmal", 80, ListGridLines);
    for (int column = 1; column < 4; ++column)
        addListColumn(19, column, "Stufe " + std::to_string(column), 80);
    for (int row = 0; row < 3; ++row) {
        addListRow(19, "Farbe\n" + std::to_string(row) + "\n2\n3", NoPicture);
        setListCellColour(19, row, row + 1, 0x0080C0FF);
    }
    addTab(13, "Liste");
    createList(20, 33, 23, 440, 420, "Nr", 30, 0);
    const int widths[] = {50, 50, 90, 50, 50, 50, 60};
    for (int column = 0; column < 7; ++column)
        addListColumn(20, column + 1, "Sp" + std::to_string(column + 1), widths[column]);
    for (int row = 0; row < 12; ++row)
        addListRow(20, std::to_string(row) + "\nm\n3\nbraun\n1\n2\n3\n4", 10 + row % 2);
    endPanel(13);
}

void buildHelpWindow() {
    using namespace ui;
    openWindow(1, 0, 0, 665, 580, "Help", TitleBar | SizingBorder | CentreOverActive);
    setControlParent(1);
    createLink(22, 0, 10, 660, 560, "file://Help.htm", 0x000000FF);
}

const char* kindName(ui::EventKind kind) {
    switch (kind) {
    case ui::EventKind::Control:
        return "control";
    case ui::EventKind::ToolBar:
        return "toolbar";
    case ui::EventKind::Close:
        return "close";
    default:
        return "none";
    }
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::string which = argc > 2 ? argv[2] : "main";
    ui::initWindowing();
    providePicture(2, "Karte.png", 900, 640, 3);
    providePicture(10, "Selvo blau kl.png", 14, 14, 4);
    providePicture(11, "Selvo rot kl.png", 14, 14, 4);
    providePicture(16, "Gewehr.png", 72, 23, 4);
    providePicture(17, "Korb.png", 72, 23, 4);
    providePicture(18, "Hege.png", 72, 23, 4);
    providePicture(19, "TB_Gebiete.png", 16, 16, 4);
    buildMainWindow();
    if (which == "report" || which == "all") buildReportWindow();
    if (which == "help" || which == "all") buildHelpWindow();

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        const ui::Event event = ui::pollEvent();
        if (event.kind != ui::EventKind::None) {
            std::printf("%s window=%d item=%d type=%d\n", kindName(event.kind), event.window,
                        event.item, event.type);
            std::fflush(stdout);
        }
        ui::sleepMs(1);
    }
    ui::shutdownWindowing();
    return 0;
}
