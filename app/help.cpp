// The help window, and the help page's own window where no browser can show the page.
#include "app/help.h"

#include "app/numbers.h"
#include "app/startup.h"
#include "ui/window.h"

namespace app {

using map::HelpPageWindow;
using map::HelpWindow;

namespace {

// The page lives beside the pictures. The desktop's browser shows it where one can be started;
// elsewhere (no browser, a kiosk) the page's own window does, so that a click is never lost.
void openHelpPage() {
    const std::string page = WorkingFolder + "Help.htm";
    if (ui::openInBrowser(page) || ui::windowExists(HelpPageWindow)) return;
    if (!ui::openWindow(HelpPageWindow, 0, 0, 800, 600, "Hilfe",
                        ui::TitleBar | ui::SizingBorder | ui::CentreOverActive))
        return;
    if (ui::setControlParent(HelpPageWindow) && ui::createPageView(HelpPageView, page)) return;
    ui::closeWindow(HelpPageWindow);
    ui::messageBox("Hilfe", std::string("Die Hilfeseite fehlt: ") + page);
}

} // namespace

void showHelp() {
    if (!ui::openWindow(HelpWindow, 216, 0, 665, 580, "Help",
                        ui::TitleBar | ui::SizingBorder | ui::CentreOverActive))
        return;
    if (ui::setControlParent(HelpWindow))
        ui::createLink(HelpLink, 0, 10, 660, 560, "file://Help.htm", 0x000000);
    for (;;) {
        const ui::Event ev = ui::waitEvent();
        if (ev.kind == ui::EventKind::Control && ev.item == HelpLink) openHelpPage();
        // The page's window closes alone; any other close ends the help with both windows.
        if (ev.kind == ui::EventKind::Close && ev.window == HelpPageWindow)
            ui::closeWindow(HelpPageWindow);
        else if (ev.kind == ui::EventKind::Close)
            break;
    }
    ui::closeWindow(HelpPageWindow);
    ui::closeWindow(HelpWindow);
}

} // namespace app
