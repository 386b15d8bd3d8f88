// Writing a file the player named, through to its target.
#pragma once

#include <string>

namespace ui {

// Writes `text` to `path`. A regular file (or a new name) is written to a temporary file in the
// same folder and renamed over it at the end, so it is complete or left as it was; an existing
// file keeps its permission bits (and owner and group where they may be kept). A symbolic link
// is followed and its target written that way; a device or FIFO is written directly. A file
// without any write permission is refused, for every user. False with the path and the reason
// (German) in `error`.
bool writeFileThrough(const std::string& path, const std::string& text, std::string& error);

} // namespace ui
