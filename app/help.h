// The help window: a link to the help page, with its own event loop.
#pragma once

namespace app {

// Opens the help window and returns when it has been closed. A click on its link opens the help
// page in the desktop's browser or, where none can be started, in a window of its own (closed
// alone by its close box). Every other event meanwhile is dropped; a close request of any other
// window closes the help windows only.
void showHelp();

} // namespace app
