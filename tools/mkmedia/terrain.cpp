// Height field: a ridge network around the Areas' valleys, high massifs, noise for spurs and
// gullies, a river valley cut from the north-east massif to the bottom edge, and two lakes.
#include "tools/mkmedia/terrain.h"

#include <array>
#include <cmath>

#include "tools/mkmedia/distance.h"
#include "tools/mkmedia/layout.h"
#include "tools/mkmedia/noise.h"

namespace mkmedia {
namespace {

// Quartic bump: 1 at t = 0, 0 from t = 1 on, flat at both ends.
double bump(double t) {
    if (t >= 1) return 0;
    const double u = 1 - t * t;
    return u * u;
}

// Height of the river bed (and water surface) at map row y: falls steadily downstream.
double riverBed(double y) {
    return 0.46 - 0.31 * clamp01((y - 96) / 544);
}

constexpr double WestLakeLevel = 0.16;
constexpr double MountainCell = 210;

// Catmull-Rom point of the course between points i and i + 1 at parameter t.
Point coursePoint(const std::vector<Point>& c, std::size_t i, double t) {
    const Point& p0 = c[i == 0 ? 0 : i - 1];
    const Point& p1 = c[i];
    const Point& p2 = c[i + 1];
    const Point& p3 = c[i + 2 < c.size() ? i + 2 : c.size() - 1];
    const double t2 = t * t, t3 = t2 * t;
    auto blend = [&](double a, double b, double cc, double d) {
        return 0.5 * (2 * b + (-a + cc) * t + (2 * a - 5 * b + 4 * cc - d) * t2 +
                      (-a + 3 * b - 3 * cc + d) * t3);
    };
    return {blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)};
}

// Marks the river's centre line: the spline through the course, swung sideways by noise.
std::vector<std::uint8_t> riverLine(int w, int h) {
    std::vector<std::uint8_t> line(static_cast<std::size_t>(w) * h, 0);
    const std::vector<Point>& c = RiverCourse;
    Point prev = c[0];
    double along = 0;
    for (std::size_t i = 0; i + 1 < c.size(); ++i) {
        for (int step = 0; step <= 400; ++step) {
            const double t = step / 400.0;
            const Point p = coursePoint(c, i, t);
            const Point q = coursePoint(c, i, t + 0.0025);
            double dx = q.x - p.x, dy = q.y - p.y;
            const double len = std::sqrt(dx * dx + dy * dy);
            if (len <= 0) continue;
            dx /= len;
            dy /= len;
            along += std::sqrt((p.x - prev.x) * (p.x - prev.x) + (p.y - prev.y) * (p.y - prev.y));
            prev = p;
            // Meanders grow downstream, where the valley floor is wider.
            const double swing =
                (3 + 5 * clamp01((p.y - 150) / 300)) * fbm(along, 0, 45, 3, 0.5, 7101u);
            const int x = static_cast<int>(std::floor(p.x - dy * swing + 0.5));
            const int y = static_cast<int>(std::floor(p.y + dx * swing + 0.5));
            if (x >= 0 && x < w && y >= 0 && y < h) line[static_cast<std::size_t>(y) * w + x] = 1;
        }
    }
    return line;
}

// seedPoints of every Area (index 0 empty), gathered once: the height field needs them at
// every pixel.
using SeedTable = std::array<std::vector<Point>, AreaCount + 1>;

// Height before the water is cut in.
double landHeight(double x, double y, const SeedTable& seeds) {
    const double wx = x + 30 * fbm(x, y, 170, 3, 0.5, 11u);
    const double wy = y + 30 * fbm(x, y, 170, 3, 0.5, 12u);
    // Valley floors get a stronger warp so that they do not come out round.
    const double vx = x + 60 * fbm(x, y, 130, 3, 0.5, 13u);
    const double vy = y + 60 * fbm(x, y, 130, 3, 0.5, 14u);

    // Distances to the Areas' seed points, scaled by the Area's size: the land rises towards
    // where two Areas are about equally near, so the Areas' borders can follow crests, and it
    // stays low around the seeds, where the valley meadows are.
    double d1 = 1e9, d2 = 1e9, valley = 0;
    for (int a = 1; a <= AreaCount; ++a) {
        const double weight = std::sqrt(capacity(a) / 10.0);
        double best = 1e9, nearest = 1e9;
        for (const Point& p : seeds[static_cast<std::size_t>(a)]) {
            best = std::fmin(best, std::sqrt((wx - p.x) * (wx - p.x) + (wy - p.y) * (wy - p.y)));
            nearest =
                std::fmin(nearest, std::sqrt((vx - p.x) * (vx - p.x) + (vy - p.y) * (vy - p.y)));
        }
        best /= weight;
        nearest /= weight;
        if (best < d1) {
            d2 = d1;
            d1 = best;
        } else if (best < d2) {
            d2 = best;
        }
        valley = std::fmax(valley, bump(nearest / 85));
    }
    const double share = d1 / d2;
    const double crest = smoothstep(0.2, 1.0, share);

    double massif = 0;
    for (const Massif& m : Massifs) {
        const double dx = wx - m.centre.x, dy = wy - m.centre.y;
        massif += m.height * bump(std::sqrt(dx * dx + dy * dy) / m.radius);
    }

    const double base = 0.17 + 0.07 * (1 - y / MapHeight) + 0.04 * fbm(x, y, 260, 3, 0.5, 31u);
    const double ridges = ridgedFbm(wx, wy, MountainCell, 7, 41u);
    const double amp = (0.50 + 0.15 * fbm(x, y, 280, 2, 0.5, 21u)) * (1 - 0.8 * valley);
    double hgt = base + 0.14 * crest + amp * ridges + massif * (0.55 + 0.6 * ridges);
    hgt += 0.012 * fbm(x, y, 22, 3, 0.5, 51u);
    return hgt;
}

// Lake membership: the ellipse, its shore roughened by noise.
bool inLake(const Lake& lake, double x, double y, std::uint32_t seed) {
    const double dx = (x - lake.centre.x) / lake.rx, dy = (y - lake.centre.y) / lake.ry;
    return std::sqrt(dx * dx + dy * dy) + 0.22 * fbm(x, y, 28, 3, 0.5, seed) < 1;
}

// Distance in pixels, roughly, from the nearest lake's ellipse (negative inside).
double basinDistance(double x, double y) {
    double best = 1e9;
    for (const Lake& lake : Lakes) {
        const double dx = (x - lake.centre.x) / lake.rx, dy = (y - lake.centre.y) / lake.ry;
        best = std::fmin(best, (std::sqrt(dx * dx + dy * dy) - 1) * (lake.rx + lake.ry) / 2);
    }
    return best;
}

} // namespace

Terrain buildTerrain() {
    Terrain t;
    t.width = MapWidth;
    t.height = MapHeight;
    const std::size_t n = static_cast<std::size_t>(MapWidth) * MapHeight;
    t.elevation.resize(n);
    t.water.assign(n, Dry);
    t.moisture.resize(n);
    t.riverWidth.resize(n);

    SeedTable seeds;
    for (int a = 1; a <= AreaCount; ++a)
        seeds[static_cast<std::size_t>(a)] = seedPoints(a);
    std::vector<std::uint8_t> lakeMask(n, 0);
    for (int y = 0; y < MapHeight; ++y) {
        for (int x = 0; x < MapWidth; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * MapWidth + x;
            t.elevation[i] = landHeight(x, y, seeds);
            t.moisture[i] = fbm(x, y, 120, 4, 0.55, 61u);
            for (std::size_t l = 0; l < Lakes.size(); ++l)
                if (inLake(Lakes[l], x, y, 71u + static_cast<std::uint32_t>(l))) lakeMask[i] = 1;
        }
    }

    t.riverDistance = distanceToMask(riverLine(MapWidth, MapHeight), MapWidth, MapHeight);
    const std::vector<double> toLake = distanceToMask(lakeMask, MapWidth, MapHeight);
    std::vector<std::uint8_t> land(n);
    for (std::size_t i = 0; i < n; ++i)
        land[i] = lakeMask[i] ? 0 : 1;
    const std::vector<double> toShore = distanceToMask(land, MapWidth, MapHeight);
    t.lakeDistance.resize(n);

    for (int y = 0; y < MapHeight; ++y) {
        for (int x = 0; x < MapWidth; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * MapWidth + x;
            double& h = t.elevation[i];
            // Near the river and the lakes the relief is pressed down towards the water level
            // but keeps a little of its texture, so valley floors are calm, not flat.
            const double bed = riverBed(y);
            const double rd = t.riverDistance[i];
            const double level = x < MapWidth / 2 ? WestLakeLevel : riverBed(Lakes[1].centre.y);
            const double keepRiver = 0.06 + 0.94 * smoothstep(0, 75, rd);
            // The basin follows the plain ellipse, not the rough shore, so its slopes carry no
            // creases from the shore's bays.
            const double keepLake = 0.10 + 0.90 * smoothstep(0, 50, basinDistance(x, y));
            if (h > bed) h = bed + (h - bed) * keepRiver;
            if (h > level) h = level + 0.01 + (h - level - 0.01) * keepLake;
            t.riverWidth[i] = 1.2 + 3.4 * clamp01((y - 96) / 520.0);
            if (lakeMask[i]) {
                t.water[i] = LakeWater;
                t.lakeDistance[i] = -toShore[i];
                h = level + 0.01 - 0.003 * (toShore[i] - 1);
            } else {
                t.lakeDistance[i] = toLake[i];
                if (rd <= t.riverWidth[i] * 0.5) t.water[i] = RiverWater;
            }
        }
    }
    return t;
}

} // namespace mkmedia
