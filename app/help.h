// The help window: a link to the help page, with its own event loop.
#pragma once

namespace app {

// Opens the help window and returns when it has been closed. Every other event meanwhile is
// dropped; a close request of any window closes the help window only.
void showHelp();

} // namespace app
