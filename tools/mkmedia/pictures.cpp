// Small pictures drawn with the anti-aliased painter (tool-bar picture: pixel by pixel, so its
// dashes stay crisp at 16 pixels).
#include "tools/mkmedia/pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/mkmedia/noise.h"
#include "tools/mkmedia/shapes.h"

namespace mkmedia {
namespace {

constexpr Rgb Ink{28, 24, 22};
constexpr double InkWidth = 0.9;

Paint outlined(Shape shape, std::function<Rgb(Point)> colour) {
    return {std::move(shape), std::move(colour), InkWidth, Ink};
}

// Leaf blade along the axis from base to tip, widest a little below the middle.
std::vector<Point> leafOutline(Point base, Point tip, double halfWidth) {
    const double ax = tip.x - base.x, ay = tip.y - base.y;
    const double len = std::sqrt(ax * ax + ay * ay);
    const double ux = ax / len, uy = ay / len;
    std::vector<Point> pts;
    constexpr int Steps = 20;
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i <= Steps; ++i) {
            const double t = side == 0 ? double(i) / Steps : 1 - double(i) / Steps;
            // Bulges a little towards the base.
            const double s = t + 0.2 * t * (1 - t) * (1 - t);
            const double w = halfWidth * sinApprox(Pi * s) * (side ? -1 : 1);
            pts.push_back({base.x + ax * t - uy * w, base.y + ay * t + ux * w});
        }
    }
    return pts;
}

} // namespace

Image drawRifle() {
    const Rgb wood{156, 96, 50}, darkWood{110, 64, 34}, steel{74, 78, 88},
        brightSteel{150, 156, 168};
    auto woodGrain = [=](Point p) {
        const double grain = 0.5 + 0.5 * sinApprox(p.x * 0.9 + 2.5 * sinApprox(p.y * 0.7));
        return mix(mix(darkWood, wood, clamp01((17 - p.y) / 7)), wood, 0.3 * grain);
    };
    auto metal = [=](double top, double bottom) {
        return [=](Point p) {
            return mix(brightSteel, steel, clamp01((p.y - top) / (bottom - top) * 1.6));
        };
    };
    const std::vector<Point> stock = {{1.5, 9.6},   {7, 10.2},  {22, 11.0},
                                      {29, 11.0},   {29, 15.0}, {24.5, 15.2},
                                      {20.5, 14.6}, {12, 16.8}, {1.5, 19.8}};
    const std::vector<Point> foreEnd = {{37, 11.6}, {57, 11.6}, {58.5, 13.4}, {37, 14.6}};
    std::vector<Paint> paints = {
        outlined(
            [](Point p) {
                return sdCapsule(p, {36, 11.2}, {70.6, 11.2}, 1.05, 0.95);
            },
            metal(10.2, 12.2)),
        outlined([=](Point p) { return sdPolygon(p, foreEnd); }, woodGrain),
        outlined([=](Point p) { return sdPolygon(p, stock); }, woodGrain),
        // Butt plate.
        {[](Point p) {
             return sdCapsule(p, {2.0, 10.0}, {2.0, 19.2}, 0.7, 0.7);
         },
         solid({48, 40, 36})},
        // Trigger guard: a half ring under the action, and the trigger.
        {[](Point p) {
             const double ring = std::fabs(sdCircle(p, {32.5, 14.6}, 2.3)) - 0.45;
             return std::max(ring, 14.6 - p.y);
         },
         solid(steel), InkWidth * 0.6, Ink},
        {[](Point p) {
             return sdCapsule(p, {32.4, 14.4}, {32.0, 16.2}, 0.45, 0.3);
         },
         solid(Ink)},
        // Action.
        outlined(
            [](Point p) {
                return sdCapsule(p, {28.5, 12.4}, {38.5, 12.4}, 1.7, 1.7);
            },
            metal(10.8, 14.0)),
        // Bolt handle.
        outlined(
            [](Point p) {
                return std::min(sdCapsule(p, {35.2, 12.8}, {36.6, 15.6}, 0.5, 0.5),
                                sdCircle(p, {36.8, 16.0}, 0.95));
            },
            metal(15, 17)),
        // Scope mounts, tube and the two bells.
        outlined(
            [](Point p) {
                return std::min(sdCapsule(p, {33.5, 8.6}, {33.5, 10.4}, 0.7, 0.7),
                                sdCapsule(p, {43.5, 8.6}, {43.5, 10.4}, 0.7, 0.7));
            },
            solid(steel)),
        outlined(
            [](Point p) {
                return std::min({sdCapsule(p, {29.5, 7.2}, {50.5, 7.2}, 1.5, 1.5),
                                 sdCapsule(p, {46.5, 7.0}, {51.0, 7.0}, 2.3, 2.3),
                                 sdCapsule(p, {28.6, 7.1}, {31.5, 7.1}, 2.0, 2.0)});
            },
            metal(4.8, 9.3)),
        // Lens glint.
        {[](Point p) {
             return sdEllipse(p, {52.6, 6.4}, 0.45, 1.2);
         },
         solid({170, 210, 235})},
    };
    return renderPaints(ModeWidth, ModeHeight, 1.0, paints);
}

Image drawBasket() {
    const Rgb light{222, 178, 104}, dark{168, 116, 58}, shadow{128, 84, 40};
    // Basket weave: strands alternate over and under from row to row.
    auto weave = [=](Point p) {
        const int row = static_cast<int>(std::floor((p.y - 9.5) / 2.6));
        const int col = static_cast<int>(std::floor((p.x - 20.0) / 3.2));
        const double fy = (p.y - 9.5) / 2.6 - row;
        Rgb c = ((row + col) & 1) ? light : dark;
        c = scale(c, 0.86 + 0.22 * sinApprox(Pi * fy));
        return mix(c, shadow, clamp01((p.y - 16) / 8) * 0.5);
    };
    const std::vector<Point> body = {{22.5, 9.0},  {49.5, 9.0},  {47.0, 20.0},
                                     {45.0, 21.8}, {27.0, 21.8}, {25.0, 20.0}};
    std::vector<Paint> paints = {
        outlined(
            [](Point p) {
                return sdCurve(p, {25.5, 9.5}, {36, -7.5}, {46.5, 9.5}, 1.2, 1.2);
            },
            [=](Point p) { return mix(light, dark, clamp01((p.y - 1) / 9)); }),
        outlined([=](Point p) { return sdPolygon(p, body); }, weave),
        outlined(
            [](Point p) {
                return sdCapsule(p, {21.8, 9.2}, {50.2, 9.2}, 1.35, 1.35);
            },
            [=](Point p) { return mix(light, dark, clamp01((p.y - 8) / 3)); }),
    };
    return renderPaints(ModeWidth, ModeHeight, 1.0, paints);
}

Image drawKeeping() {
    const Rgb leafLight{128, 192, 84}, leafDark{70, 138, 52}, rib{206, 232, 170};
    const Rgb stem{104, 84, 44};
    const std::vector<Point> bigLeaf = leafOutline({36.5, 17.0}, {51.5, 2.0}, 5.4);
    const std::vector<Point> smallLeaf = leafOutline({35.5, 17.5}, {22.5, 7.0}, 4.2);
    // Each leaf lighter on the half towards the light, with a pale midrib and side veins.
    auto leafColour = [=](Point base, Point tip) {
        return [=](Point p) {
            const double ax = tip.x - base.x, ay = tip.y - base.y;
            const double len = std::sqrt(ax * ax + ay * ay);
            const double along = ((p.x - base.x) * ax + (p.y - base.y) * ay) / len;
            const double across = ((p.x - base.x) * -ay + (p.y - base.y) * ax) / len;
            Rgb c = across < 0 ? leafLight : leafDark;
            const double vein =
                std::fabs(std::fmod(along - std::fabs(across) * 0.9 + 40, 3.4) - 1.7);
            if (vein < 0.35 && along > 2 && along < len - 2) c = mix(c, rib, 0.45);
            if (std::fabs(across) < 0.45 && along < len - 1.5) c = mix(c, rib, 0.8);
            return c;
        };
    };
    std::vector<Paint> paints = {
        outlined(
            [](Point p) {
                return sdCurve(p, {33.5, 22.0}, {35.0, 19.5}, {37.0, 16.5}, 0.9, 0.7);
            },
            solid(stem)),
        outlined([=](Point p) { return sdPolygon(p, smallLeaf); },
                 leafColour({35.5, 17.5}, {22.5, 7.0})),
        outlined([=](Point p) { return sdPolygon(p, bigLeaf); },
                 leafColour({36.5, 17.0}, {51.5, 2.0})),
    };
    return renderPaints(ModeWidth, ModeHeight, 1.0, paints);
}

Image drawBordersTool() {
    constexpr int S = 16;
    // The tile: two meadows and a lake corner inside a dark frame with rounded corners.
    const Rgb meadowA{176, 200, 124}, meadowB{132, 172, 100}, lake{110, 150, 190};
    const Rgb frame{58, 66, 52};
    auto tile = [](Point p) {
        const double dx = std::max(std::fabs(p.x - 8) - 5.5, 0.0);
        const double dy = std::max(std::fabs(p.y - 8) - 5.5, 0.0);
        return std::sqrt(dx * dx + dy * dy) - 1.5;
    };
    std::vector<Paint> paints = {
        {tile,
         [=](Point p) {
             if (sdCircle(p, {2.5, 14.5}, 5.0) < 0) return lake;
             return p.x + 0.45 * p.y < 9.5 ? meadowA : meadowB;
         },
         1.0, frame},
    };
    Image img = renderPaints(S, S, 1.0, paints);

    // The border line, pixel by pixel: dark dashes with light gaps, two pixels on, one off.
    const int line[][2] = {{6, 1}, {6, 2},  {7, 3},  {7, 4},  {7, 5},  {8, 6},  {8, 7},
                           {9, 8}, {10, 8}, {11, 8}, {12, 9}, {13, 9}, {14, 9}, {8, 8},
                           {7, 9}, {7, 10}, {6, 11}, {5, 12}, {5, 13}, {4, 14}};
    int step = 0;
    for (const auto& xy : line) {
        std::uint8_t* p = pixelAt(img, xy[0], xy[1]);
        const Rgb c = (step++ % 3 == 2) ? Rgb{250, 248, 236} : Rgb{30, 26, 24};
        p[0] = toByte(c.r);
        p[1] = toByte(c.g);
        p[2] = toByte(c.b);
        p[3] = 255;
    }
    return img;
}

} // namespace mkmedia
