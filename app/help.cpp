// The help window.
#include "app/help.h"

#include "app/numbers.h"
#include "app/startup.h"
#include "ui/window.h"

namespace app {

using map::HelpWindow;

void showHelp() {
    if (!ui::openWindow(HelpWindow, 216, 0, 665, 580, "Help",
                        ui::TitleBar | ui::SizingBorder | ui::CentreOverActive))
        return;
    if (ui::setControlParent(HelpWindow))
        ui::createLink(HelpLink, 0, 10, 660, 560, "file://Help.htm", 0x000000);
    for (;;) {
        const ui::Event ev = ui::waitEvent();
        // The page lives beside the pictures; the desktop's browser shows it if it is there.
        if (ev.kind == ui::EventKind::Control && ev.item == HelpLink)
            ui::openInBrowser(WorkingFolder + "Help.htm");
        if (ev.kind == ui::EventKind::Close) break;
    }
    ui::closeWindow(HelpWindow);
}

} // namespace app
