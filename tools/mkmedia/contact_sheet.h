// A contact sheet of the pictures in a media folder, for looking at them all at once.
#pragma once

#include <string>

namespace mkmedia {

// Reads the pictures back from `mediaDir` and writes one PNG showing: the bordered map with
// every founder's icon at its position, the Areas in false colours with their numbers, the
// plain map, and the icons and small pictures at 1:1 and enlarged on light and dark ground.
bool writeContactSheet(const std::string& file, const std::string& mediaDir);

} // namespace mkmedia
