// The information text of one animal, shown beside the map after a right click.
#pragma once

#include "model/animal.h"

#include <string>

namespace map {

// Sex line, age, an empty line, Area, constitution and illness level, lines ended by "\n"
// except the last.
std::string animalInfoText(const model::Animal& a);

} // namespace map
