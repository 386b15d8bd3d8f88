// The start-up floor: a bare Qt window of the game's size and title, shown at once, then idle.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Selvo mornik"));
    window.resize(1000, 700);
    window.show();
    return QApplication::exec();
}
