// Area lookup through the areas picture.
#include "map/area.h"

#include "model/tables.h"
#include "ui/picture.h"

namespace map {

std::int32_t areaAt(std::int32_t x, std::int32_t y) {
    if (!ui::openDrawing(model::AreasPicture)) return 0;
    const std::int32_t v = ui::readPixel(x, y);
    ui::closeDrawing();
    return v;
}

} // namespace map
