// Composing the map frame into the working picture.
#include "map/compose.h"

#include "map/numbers.h"
#include "model/herd.h"
#include "ui/picture.h"

namespace map {

bool composeMap(bool borders, const model::Animal* carried, int& carriedIcon) {
    if (!ui::openDrawing(WorkMapPicture)) return false;
    ui::drawPicture(ui::pictureHandle(borders ? BorderMapPicture : PlainMapPicture),
                    0, 0);
    carriedIcon = -1;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        const model::Animal& a = *it;
        if (&a == carried) {
            carriedIcon = a.iconPicture;
            continue;
        }
        int picture;
        if (a.sizeClass == 1) {
            picture = a.iconPicture + SmallIconOffset;
        } else if (a.sizeClass == 2) {
            picture = a.iconPicture;
        } else {
            continue;
        }
        const std::int32_t h = model::footprintHalf(a.sizeClass);
        // Far off-map positions would overflow x - h; they are not visible anyway.
        if (a.x < -1000000 || a.x > 1000000 || a.y < -1000000 || a.y > 1000000) continue;
        ui::drawPictureAlpha(ui::pictureHandle(picture), a.x - h, a.y - h);
    }
    ui::closeDrawing();
    return true;
}

} // namespace map
