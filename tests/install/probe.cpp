// Preloaded into the game by the install test: as soon as the main window's 900 x 640 map control
// exists, prints the game's current folder, the year in its status bar and the number of colours
// its picture has, and ends
// the game: status 0 for a picture of many colours, 1 for none or a plain one, 2 for no map
// control within ten seconds.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <unordered_set>

namespace {

const QLabel* mapControl() {
    for (QWidget* widget : QApplication::allWidgets()) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        if (label && label->size() == QSize(900, 640)) return label;
    }
    return nullptr;
}

std::size_t colourCount(const QImage& image) {
    std::unordered_set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

void startProbe() {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [tries = 0]() mutable {
        const QLabel* map = mapControl();
        if (!map && ++tries < 100) return;
        const std::size_t colours = map ? colourCount(map->pixmap().toImage()) : 0;
        std::printf("folder: %s\nmap colours: %zu\n", qPrintable(QDir::currentPath()), colours);
        for (QWidget* widget : QApplication::allWidgets())
            if (const auto* label = qobject_cast<const QLabel*>(widget))
                if (label->text().startsWith("Jahr ")) std::printf("%s\n", qPrintable(label->text()));
        std::fflush(stdout);
        std::_Exit(!map ? 2 : colours > 1000 ? 0 : 1);
    });
    timer->start(50);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)
