// Area lookup through the areas picture.
#include "model/areas.h"

#include "model/numbers.h"
#include "ui/picture.h"

namespace model {

std::int32_t areaAt(std::int32_t x, std::int32_t y) {
    if (!ui::openDrawing(AreasPicture)) return 0;
    const std::int32_t v = ui::readPixel(x, y);
    ui::closeDrawing();
    return v;
}

} // namespace model
