// The bordered map: the plain map with the Area borders drawn exactly along the areas picture.
#pragma once

#include "tools/mkmedia/areas.h"
#include "tools/mkmedia/image.h"

namespace mkmedia {

// A dark dashed line on the pixels along every edge between different Area values (Areas and
// no Area alike), with a light halo of two pixels on both sides. Only pixels within two pixels
// of such an edge change.
Image drawBorders(const Image& plainMap, const AreaGrid& areas);

} // namespace mkmedia
