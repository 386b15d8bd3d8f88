// The badge is drawn in a 48-unit square: sky, a snow-capped mountain, a meadow and a dark rim;
// two animals of the game (a small orange one behind, a blue one in front) are drawn at the
// icon's own resolution and laid over it, so every size stays sharp.
#include "tools/mkmedia/app_icon.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/mkmedia/icons.h"
#include "tools/mkmedia/shapes.h"

namespace mkmedia {

namespace {

constexpr double Units = 48;
constexpr Point Centre{24, 24};
constexpr double Radius = 22.5;
constexpr Rgb RimColour{30, 38, 44};

// `shape` cut to the badge's disc.
Shape inDisc(Shape shape) {
    return [shape](Point p) { return std::max(shape(p), sdCircle(p, Centre, Radius)); };
}

// An animal icon of `fraction` of the badge, its top-left corner at `corner` (in units).
void layAnimal(Image& badge, double fraction, Point corner, Rgb body) {
    const double pixelsPerUnit = badge.width / Units;
    const int size = std::max(1, int(std::lround(Units * fraction * pixelsPerUnit)));
    blit(badge, drawAnimalIcon(size, body), int(std::lround(corner.x * pixelsPerUnit)),
         int(std::lround(corner.y * pixelsPerUnit)));
}

} // namespace

Image drawAppIcon(int size) {
    const Shape disc = [](Point p) { return sdCircle(p, Centre, Radius); };
    const Shape mountain = inDisc([](Point p) {
        return sdPolygon(p, {{-2, 30}, {9, 17}, {15, 21}, {27, 8}, {50, 30}});
    });
    const Shape snow = inDisc([mountain](Point p) {
        return std::max(
            mountain(p),
            sdPolygon(p, {{20, 12}, {27, 5}, {34, 12}, {29, 14.5}, {26, 12.5}, {23, 14.5}}));
    });
    const Shape meadow = inDisc([](Point p) { return sdEllipse(p, {24, 45}, 34, 18.5); });

    auto sky = [](Point p) {
        return mix(Rgb{88, 150, 222}, Rgb{196, 226, 246}, std::clamp(p.y / 30.0, 0.0, 1.0));
    };
    auto rock = [](Point p) {
        return mix(Rgb{120, 128, 146}, Rgb{84, 92, 112}, std::clamp((p.x - 10) / 34, 0.0, 1.0));
    };
    auto grass = [](Point p) {
        return mix(Rgb{116, 186, 72}, Rgb{60, 130, 52}, std::clamp((p.y - 27) / 18, 0.0, 1.0));
    };
    const std::vector<Paint> paints = {
        {disc, sky, 1.6, RimColour},
        {mountain, rock},
        {snow, solid({244, 246, 250})},
        {meadow, grass},
    };
    Image badge = renderPaints(size, size, Units / size, paints);
    layAnimal(badge, 0.40, {26, 13}, IconBodyColours[4]);
    layAnimal(badge, 0.62, {4, 16}, IconBodyColours[0]);
    return badge;
}

} // namespace mkmedia
