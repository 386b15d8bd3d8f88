// Ground colour from elevation, slope and moisture; forests with a crown texture; rock and snow
// on the heights; lakes darker with depth; all lit from the north-west.
#include "tools/mkmedia/map_paint.h"

#include <cmath>

#include "tools/mkmedia/noise.h"

namespace mkmedia {
namespace {

constexpr Rgb ValleyMeadow{158, 176, 124};
constexpr Rgb DryMeadow{182, 182, 142};
constexpr Rgb AlpineMeadow{176, 174, 138};
constexpr Rgb Forest{106, 124, 92};
constexpr Rgb DarkForest{80, 98, 76};
constexpr Rgb Rock{152, 144, 134};
constexpr Rgb Scree{182, 176, 164};
constexpr Rgb Snow{244, 245, 248};
constexpr Rgb ShallowWater{138, 168, 176};
constexpr Rgb DeepWater{86, 122, 148};
constexpr Rgb ShadowTint{70, 82, 104};
constexpr Rgb RiverColour{94, 130, 156};

struct Slope {
    double dx, dy;
};

// Central differences, one-sided beside a lake so that the flat water does not put a shadow
// line along the shore.
Slope slopeAt(const Terrain& t, int x, int y) {
    auto dry = [&](int xx, int yy) {
        return t.water[static_cast<std::size_t>(yy) * t.width + xx] != LakeWater;
    };
    const int x0 = x > 0 && dry(x - 1, y) ? x - 1 : x;
    const int x1 = x + 1 < t.width && dry(x + 1, y) ? x + 1 : x;
    const int y0 = y > 0 && dry(x, y - 1) ? y - 1 : y;
    const int y1 = y + 1 < t.height && dry(x, y + 1) ? y + 1 : y;
    return {x1 > x0 ? (t.at(x1, y) - t.at(x0, y)) / (x1 - x0) : 0,
            y1 > y0 ? (t.at(x, y1) - t.at(x, y0)) / (y1 - y0) : 0};
}

// Lambert light from the north-west, 1.0 on flat ground.
double hillShade(Slope s) {
    constexpr double Relief = 140; // height-field units to pixels
    const double nx = -s.dx * Relief, ny = -s.dy * Relief, nz = 1;
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    constexpr double lx = -0.5, ly = -0.5, lz = 0.70710678118654757;
    const double lambert = (nx * lx + ny * ly + nz * lz) / len;
    return lambert / lz;
}

// Forest seen from above: a dark floor under round crowns on a jittered 4-pixel grid, each lit
// on its north-west side and casting a short shadow to the south-east. `density` 0..1 thins
// the crowns out towards the forest's edge.
Rgb treeCover(Rgb ground, int x, int y, double density) {
    constexpr int Cell = 4;
    struct Crown {
        double x, y, r;
        Rgb colour;
    };
    Crown crowns[9];
    int count = 0;
    const int cx0 = x / Cell, cy0 = y / Cell;
    for (int cy = cy0 - 1; cy <= cy0 + 1; ++cy) {
        for (int cx = cx0 - 1; cx <= cx0 + 1; ++cx) {
            if (hashUnit(cx, cy, 131u) >= density * 1.15) continue;
            crowns[count++] = {cx * Cell + 0.5 + 3 * hashUnit(cx, cy, 132u),
                               cy * Cell + 0.5 + 3 * hashUnit(cx, cy, 133u),
                               1.6 + 0.9 * hashUnit(cx, cy, 134u),
                               mix(DarkForest, Forest, hashUnit(cx, cy, 135u))};
        }
    }
    const double px = x + 0.5, py = y + 0.5;
    double shadow = 0;
    for (int k = 0; k < count; ++k) {
        const double sx = px - crowns[k].x - 1.3, sy = py - crowns[k].y - 1.3;
        shadow = std::fmax(shadow, clamp01(crowns[k].r + 0.5 - std::sqrt(sx * sx + sy * sy)));
    }
    Rgb c = scale(mix(ground, DarkForest, 0.75 * density), 1 - 0.25 * shadow);
    for (int k = 0; k < count; ++k) {
        const Crown& t = crowns[k];
        const double dx = px - t.x, dy = py - t.y;
        const double cover = clamp01(t.r + 0.5 - std::sqrt(dx * dx + dy * dy));
        if (cover <= 0) continue;
        const double lit = clamp01(0.5 - 0.5 * (dx + dy) / (t.r * 1.4142));
        c = mix(c, scale(t.colour, 0.86 + 0.34 * lit), cover);
    }
    return c;
}

Rgb groundColour(const Terrain& t, int x, int y, Slope s) {
    const std::size_t i = static_cast<std::size_t>(y) * t.width + x;
    const double h = t.elevation[i];
    const double wet = t.moisture[i];
    const double steep = std::sqrt(s.dx * s.dx + s.dy * s.dy) * 100; // ~1 on steep flanks

    Rgb c = mix(ValleyMeadow, DryMeadow, smoothstep(-0.3, 0.5, -wet + 0.5 * (h - 0.3)));
    c = mix(c, AlpineMeadow, smoothstep(0.50, 0.62, h));

    // Forest in the middle band where it is moist enough, thinning towards the tree line and
    // on crags; the crown texture gives it a canopy rather than a flat tint.
    const double band = 1 - smoothstep(0.10, 0.20, std::fabs(h - 0.42));
    const double forest = smoothstep(-0.08, 0.06, wet + 0.25 * band - 0.24) * band *
                          (1 - smoothstep(0.9, 1.6, steep));
    if (forest > 0) c = treeCover(c, x, y, forest);

    const double rockNoise = 0.04 * fbm(x, y, 18, 3, 0.5, 91u);
    const double rock = std::fmax(smoothstep(0.60, 0.72, h + rockNoise),
                                  smoothstep(1.3, 2.2, steep) * smoothstep(0.35, 0.5, h));
    if (rock > 0) {
        const double grain = 0.5 + 0.5 * fbm(x * 1.6, y, 7, 2, 0.5, 101u);
        c = mix(c, mix(Rock, Scree, grain), rock);
    }

    // Snow lies lower on slopes facing away from the sun (north and east).
    const double shadowSide = clamp01((s.dy * -1 + s.dx) * 40) * 0.05;
    const double snow = smoothstep(SnowLevel - 0.03, SnowLevel + 0.03,
                                   h + 0.05 * fbm(x, y, 22, 3, 0.5, 111u) + shadowSide);
    c = mix(c, Snow, snow);
    return c;
}

} // namespace

Image paintMap(const Terrain& t) {
    Image img = makeImage(t.width, t.height, 3);
    for (int y = 0; y < t.height; ++y) {
        for (int x = 0; x < t.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * t.width + x;
            const Slope s = slopeAt(t, x, y);
            Rgb c;
            if (t.water[i] == LakeWater) {
                const double depth = clamp01(-t.lakeDistance[i] / 14);
                c = mix(ShallowWater, DeepWater, depth);
                c = scale(c, 1 + 0.03 * fbm(x, y * 3, 12, 2, 0.5, 121u));
            } else {
                // Shaded slopes turn a little cooler as well as darker, as in open air.
                const double shade = std::fmax(hillShade(s), 0.12);
                c = scale(groundColour(t, x, y, s), 0.42 + 0.58 * shade);
                c = mix(c, ShadowTint, 0.22 * clamp01(1 - shade));
                c = scale(c, 1 + 0.035 * fbm(x, y, 5, 2, 0.5, 141u));
                // Soft edge of the river: partial cover where the line runs through a pixel.
                const double cover = clamp01(t.riverWidth[i] * 0.5 + 0.5 - t.riverDistance[i]);
                c = mix(c, RiverColour, cover);
                // The shore pixels take a little of the water's colour: a soft water line.
                const double shore = 1 - clamp01(t.lakeDistance[i] - 0.5);
                c = mix(c, ShallowWater, 0.5 * shore);
            }
            std::uint8_t* p = pixelAt(img, x, y);
            p[0] = toByte(c.r);
            p[1] = toByte(c.g);
            p[2] = toByte(c.b);
        }
    }
    return img;
}

} // namespace mkmedia
