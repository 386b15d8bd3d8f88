// The animal is drawn in a 24-unit square facing right: barrel body, four legs with dark
// hooves, a neck rising to a short head, horns sweeping back in an arc, a stub tail and a small
// beard. The small icon uses the same drawing with thicker limbs and horns so they survive the
// reduction to 14 pixels.
#include "tools/mkmedia/icons.h"

#include "model/builtin_data.h"

#include <algorithm>
#include <vector>

#include "tools/mkmedia/noise.h"
#include "tools/mkmedia/shapes.h"

namespace mkmedia {

namespace {
constexpr Rgb bodyColour(std::int32_t bbggrr) {
    return {double(bbggrr & 0xFF), double((bbggrr >> 8) & 0xFF), double((bbggrr >> 16) & 0xFF)};
}
} // namespace

const std::array<Rgb, 6> IconBodyColours = {
    bodyColour(model::iconColours[0]), bodyColour(model::iconColours[1]),
    bodyColour(model::iconColours[2]), bodyColour(model::iconColours[3]),
    bodyColour(model::iconColours[4]), bodyColour(model::iconColours[5]),
};

namespace {

constexpr Rgb OutlineColour{22, 20, 26};
constexpr Rgb HornColour{58, 50, 44};

Rgb shadeOf(Rgb c, double f) {
    return scale(c, f);
}

} // namespace

Image drawAnimalIcon(int size, Rgb body) {
    // Thicker parts and a relatively thinner outline on the small icon.
    const bool small = size < BigIconSize;
    const double bold = small ? 0.35 : 0.0;
    const double outline = small ? 1.35 : 1.0; // drawing units (1 unit = 1 big-icon pixel)

    auto bodyShape = [](Point p) { return sdEllipse(p, {10.8, 13.0}, 7.2, 3.9); };
    auto chest = [](Point p) { return sdEllipse(p, {15.0, 12.6}, 3.1, 3.5); };
    auto neck = [bold](Point p) {
        return sdCapsule(p, {15.6, 11.8}, {18.8, 8.0}, 2.2 + bold, 1.6 + bold);
    };
    auto head = [bold](Point p) {
        return std::min(sdEllipse(p, {19.9, 7.6}, 2.3 + bold, 2.0 + bold),
                        sdCapsule(p, {20.2, 8.0}, {22.5, 9.9}, 1.3 + bold, 1.0 + bold));
    };
    auto ear = [bold](Point p) {
        return sdCapsule(p, {18.6, 7.0}, {16.6, 6.9}, 0.75 + bold * 0.5, 0.35);
    };
    auto horn = [bold](Point p) {
        return sdCurve(p, {19.5, 6.0}, {19.6, -0.4}, {13.6, 3.4}, 1.1 + bold, 0.45 + bold * 0.6);
    };
    auto beard = [bold](Point p) {
        return sdCapsule(p, {21.2, 10.2}, {20.6, 12.1}, 0.55 + bold * 0.4, 0.3);
    };
    auto tail = [bold](Point p) {
        return sdCapsule(p, {4.4, 11.4}, {2.9, 12.9}, 0.95 + bold * 0.5, 0.6 + bold * 0.5);
    };
    // Walking: each pair of legs spreads apart at the hooves so the four stay apart.
    auto leg = [bold](Point top, Point foot) {
        return [=](Point p) { return sdCapsule(p, top, foot, 0.95 + bold, 0.7 + bold); };
    };
    const Shape farFront = leg({14.0, 14.6}, {12.6, 21.6});
    const Shape farHind = leg({8.2, 14.6}, {10.0, 21.6});
    const Shape nearFront = leg({15.8, 14.6}, {17.4, 21.6});
    const Shape nearHind = leg({6.2, 14.4}, {4.8, 21.6});
    auto hoof = [bold](Point p) { return 21.6 - 1.2 - bold * 0.4 - p.y; };

    const std::vector<Shape> parts = {bodyShape, chest, neck,     head,    ear,       horn,
                                      beard,     tail,  farFront, farHind, nearFront, nearHind};
    auto silhouette = [parts](Point p) {
        double d = 1e9;
        for (const Shape& s : parts)
            d = std::min(d, s(p));
        return d;
    };

    // Light from above: the back brighter than the belly.
    auto coat = [body](Point p) {
        const double lit = clamp01((15.5 - p.y) / 8.0);
        return mix(shadeOf(body, 0.86), mix(body, Rgb{255, 255, 255}, 0.16), lit);
    };
    auto farColour = [body](Point) { return shadeOf(body, 0.68); };
    auto legColour = [coat, hoof](Point p) { return hoof(p) < 0 ? HornColour : coat(p); };
    auto farLegColour = [farColour, hoof](Point p) {
        return hoof(p) < 0 ? HornColour : farColour(p);
    };

    std::vector<Paint> paints = {
        {silhouette, solid(OutlineColour), outline, OutlineColour},
        {farFront, farLegColour},
        {farHind, farLegColour},
        {tail, coat},
        {bodyShape, coat},
        {chest, coat},
        {nearFront, legColour},
        {nearHind, legColour},
        {neck, coat},
        {head, coat},
        {ear, farColour},
        {beard, solid(HornColour)},
        {horn, solid(HornColour)},
    };
    // The horn gets its own thin outline where it crosses the coat.
    paints.back().outline = small ? 0 : 0.5;
    paints.back().outlineColour = OutlineColour;

    return renderPaints(size, size, double(BigIconSize) / size, paints);
}

} // namespace mkmedia
