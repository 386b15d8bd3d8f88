// Composing the map frame: background and every animal's icon, off-screen in the working picture.
#pragma once

#include "model/animal.h"

namespace map {

// Paints the working picture anew: the plain or bordered background, then every animal of the
// Herd except `carried` by its icon, later animals on top. `carriedIcon` becomes the big icon of
// `carried` when it is in the Herd, else -1 (none). Returns false, doing nothing, when the
// working picture is missing. Leaves no drawing open.
bool composeMap(bool borders, const model::Animal* carried, int& carriedIcon);

} // namespace map
