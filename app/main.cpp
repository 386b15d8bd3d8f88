// Selvo mornik: start-up, the main window and its loop, shut-down.
#include "app/main_window.h"
#include "app/startup.h"

int main() {
    app::startUp();
    if (app::buildMainWindow()) app::runMainLoop();
    app::shutDown();
    return 0;
}
