// Area growth: a shortest-path race from every Area's seeds over the terrain, in which climbing
// and descending cost much and the river more, so Areas meet on crests and at the water. Each
// Area's costs carry a factor that is tuned over several rounds until its size fits its capacity.
#include "tools/mkmedia/areas.h"

#include <cmath>
#include <cstdio>
#include <queue>

namespace mkmedia {
namespace {

constexpr int W = MapWidth, H = MapHeight;
constexpr std::size_t N = static_cast<std::size_t>(W) * H;

constexpr double ClimbCost = 420;    // per unit of height gained or lost
constexpr double RiverCost = 160;    // per river pixel entered
constexpr int MinSummitPixels = 300; // smaller bare tops stay part of the Areas around them
constexpr int BalanceRounds = 28;

std::size_t idx(int x, int y) {
    return static_cast<std::size_t>(y) * W + x;
}

// Calls f(index) for each 4-neighbour of pixel i inside the map.
template <typename F> void forNeighbours(std::size_t i, F f) {
    const int x = static_cast<int>(i % W), y = static_cast<int>(i / W);
    if (x > 0) f(i - 1);
    if (x + 1 < W) f(i + 1);
    if (y > 0) f(i - W);
    if (y + 1 < H) f(i + W);
}

// Labels the 4-connected components of the pixels where `member` is true; returns the
// component id per pixel (-1 elsewhere) and the size of each component.
std::vector<int> components(const std::vector<std::uint8_t>& member, std::vector<int>& sizes) {
    std::vector<int> comp(N, -1);
    sizes.clear();
    std::vector<std::size_t> stack;
    for (std::size_t s = 0; s < N; ++s) {
        if (!member[s] || comp[s] >= 0) continue;
        const int id = static_cast<int>(sizes.size());
        int count = 0;
        comp[s] = id;
        stack.push_back(s);
        while (!stack.empty()) {
            const std::size_t i = stack.back();
            stack.pop_back();
            ++count;
            forNeighbours(i, [&](std::size_t j) {
                if (member[j] && comp[j] < 0) {
                    comp[j] = id;
                    stack.push_back(j);
                }
            });
        }
        sizes.push_back(count);
    }
    return comp;
}

// Lakes and the larger bare summits: the land no Area takes.
std::vector<std::uint8_t> noAreaMask(const Terrain& t) {
    std::vector<std::uint8_t> summit(N);
    for (std::size_t i = 0; i < N; ++i)
        summit[i] = t.elevation[i] > SummitLevel ? 1 : 0;
    std::vector<int> sizes;
    const std::vector<int> comp = components(summit, sizes);
    std::vector<std::uint8_t> none(N);
    for (std::size_t i = 0; i < N; ++i)
        none[i] = t.water[i] == LakeWater ||
                  (comp[i] >= 0 && sizes[static_cast<std::size_t>(comp[i])] >= MinSummitPixels);
    return none;
}

// Seed pixels of every Area: founder squares, small discs at the seed points and 3-pixel lanes
// joining each seed to the one before it, so that an Area's seeds cannot be cut apart.
// Founder squares are marked in `fixed`: nothing may ever change them.
std::vector<std::uint8_t> seedPixels(const std::vector<std::uint8_t>& none,
                                     std::vector<std::uint8_t>& fixed) {
    std::vector<std::uint8_t> seed(N, 0);
    fixed.assign(N, 0);
    auto mark = [&](int x, int y, int area) {
        if (x < 0 || y < 0 || x >= W || y >= H || none[idx(x, y)]) return;
        if (!fixed[idx(x, y)]) seed[idx(x, y)] = static_cast<std::uint8_t>(area);
    };
    for (int a = 1; a <= AreaCount; ++a) {
        const std::vector<Point> pts = seedPoints(a);
        // Water or bare rock in a founder's square stays no Area: the layout is then wrong,
        // and the founder checks say so, rather than an Area painted over a lake.
        for (int f : AreaSeeds[static_cast<std::size_t>(a)].founders) {
            const Founder& fo = Founders[static_cast<std::size_t>(f - 1)];
            for (int dy = -FounderMargin; dy <= FounderMargin; ++dy) {
                for (int dx = -FounderMargin; dx <= FounderMargin; ++dx) {
                    const std::size_t i = idx(fo.x + dx, fo.y + dy);
                    if (none[i]) continue;
                    seed[i] = static_cast<std::uint8_t>(a);
                    fixed[i] = 1;
                }
            }
        }
        for (std::size_t k = 0; k < pts.size(); ++k) {
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx)
                    if (dx * dx + dy * dy <= 9) mark(int(pts[k].x) + dx, int(pts[k].y) + dy, a);
            if (k == 0) continue;
            const Point p = pts[k - 1], q = pts[k];
            const double len = std::sqrt((q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y));
            for (int step = 0; step <= int(len * 2); ++step) {
                const double t = len > 0 ? step / (len * 2) : 0;
                const int x = int(p.x + (q.x - p.x) * t), y = int(p.y + (q.y - p.y) * t);
                for (int d = -1; d <= 1; ++d) {
                    mark(x + d, y, a);
                    mark(x, y + d, a);
                }
            }
        }
    }
    return seed;
}

struct Entry {
    double cost;
    std::uint32_t pixel;
    std::uint8_t area;
    // Orders the queue by cost, ties by pixel then Area, so the race never depends on the
    // queue's internals.
    bool operator>(const Entry& o) const {
        if (cost != o.cost) return cost > o.cost;
        if (pixel != o.pixel) return pixel > o.pixel;
        return area > o.area;
    }
};

// One race: every seed pixel starts at cost 0; Area a pays factor[a] times the step cost.
AreaGrid grow(const Terrain& t, const std::vector<std::uint8_t>& none,
              const std::vector<std::uint8_t>& seed,
              const std::array<double, AreaCount + 1>& factor) {
    AreaGrid area(N, 0);
    std::vector<std::uint8_t> done(N, 0);
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
    for (std::size_t i = 0; i < N; ++i)
        if (seed[i]) queue.push({0, static_cast<std::uint32_t>(i), seed[i]});
    while (!queue.empty()) {
        const Entry e = queue.top();
        queue.pop();
        if (done[e.pixel]) continue;
        done[e.pixel] = 1;
        area[e.pixel] = e.area;
        const double h = t.elevation[e.pixel];
        forNeighbours(e.pixel, [&](std::size_t j) {
            if (done[j] || none[j]) return;
            double step = 1 + ClimbCost * std::fabs(t.elevation[j] - h);
            if (t.water[j] == RiverWater) step += RiverCost;
            queue.push({e.cost + factor[e.area] * step, static_cast<std::uint32_t>(j), e.area});
        });
    }
    return area;
}

// Majority filter over 5 x 5 neighbourhoods: removes one-pixel spikes and notches that the
// race leaves on flat ground. Fixed pixels and pixels of no Area keep their value.
void smoothBorders(AreaGrid& area, const std::vector<std::uint8_t>& fixed) {
    const AreaGrid before = area;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const std::size_t i = idx(x, y);
            if (fixed[i] || before[i] == 0) continue;
            std::array<int, AreaCount + 1> votes{};
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (x + dx >= 0 && x + dx < W && y + dy >= 0 && y + dy < H)
                        ++votes[before[idx(x + dx, y + dy)]];
            int best = before[i];
            for (int a = 1; a <= AreaCount; ++a)
                if (votes[static_cast<std::size_t>(a)] > votes[static_cast<std::size_t>(best)])
                    best = a;
            area[i] = static_cast<std::uint8_t>(best);
        }
    }
}

// Keeps for each Area only the piece holding its seed and hands every other piece to the
// neighbouring Areas by a breadth-first fill, so each Area ends as one 4-connected region.
void mergeStrayPieces(AreaGrid& area, const std::vector<std::uint8_t>& seed) {
    std::vector<std::uint8_t> member(N);
    std::vector<std::uint8_t> keep(N, 0);
    for (int a = 1; a <= AreaCount; ++a) {
        for (std::size_t i = 0; i < N; ++i)
            member[i] = area[i] == a;
        std::vector<int> sizes;
        const std::vector<int> comp = components(member, sizes);
        // The piece with the most seed pixels is the Area proper.
        std::vector<int> seedCount(sizes.size(), 0);
        for (std::size_t i = 0; i < N; ++i)
            if (comp[i] >= 0 && seed[i] == a) ++seedCount[static_cast<std::size_t>(comp[i])];
        int best = 0;
        for (std::size_t c = 1; c < sizes.size(); ++c)
            if (seedCount[c] > seedCount[static_cast<std::size_t>(best)]) best = int(c);
        for (std::size_t i = 0; i < N; ++i)
            if (comp[i] == best) keep[i] = 1;
    }
    std::vector<std::size_t> frontier;
    for (std::size_t i = 0; i < N; ++i) {
        if (area[i] == 0) continue;
        if (keep[i])
            frontier.push_back(i);
        else
            area[i] = 0xff; // to be handed over
    }
    for (std::size_t k = 0; k < frontier.size(); ++k) {
        const std::size_t i = frontier[k];
        forNeighbours(i, [&](std::size_t j) {
            if (area[j] == 0xff) {
                area[j] = area[i];
                frontier.push_back(j);
            }
        });
    }
    for (std::uint8_t& v : area)
        if (v == 0xff) v = 0;
}

} // namespace

AreaGrid buildAreas(const Terrain& t) {
    const std::vector<std::uint8_t> none = noAreaMask(t);
    std::vector<std::uint8_t> fixed;
    const std::vector<std::uint8_t> seed = seedPixels(none, fixed);

    std::array<double, AreaCount + 1> factor;
    factor.fill(1.0);
    AreaGrid area;
    int capacitySum = 0;
    for (int a = 1; a <= AreaCount; ++a)
        capacitySum += capacity(a);
    for (int round = 0; round < BalanceRounds; ++round) {
        area = grow(t, none, seed, factor);
        const std::array<int, AreaCount + 1> size = areaSizes(area);
        int land = 0;
        for (int a = 1; a <= AreaCount; ++a)
            land += size[static_cast<std::size_t>(a)];
        for (int a = 1; a <= AreaCount; ++a) {
            const auto s = static_cast<std::size_t>(a);
            const double target = double(land) * capacity(a) / capacitySum;
            // An Area that is too big pays more per step in the next round, and the reverse.
            factor[s] *= std::sqrt(std::sqrt(size[s] / target));
        }
    }
    smoothBorders(area, fixed);
    mergeStrayPieces(area, seed);
    return area;
}

Image areasPicture(const AreaGrid& areas) {
    Image img = makeImage(W, H, 3);
    for (std::size_t i = 0; i < N; ++i)
        img.data[i * 3] = areas[i];
    return img;
}

std::array<int, AreaCount + 1> areaSizes(const AreaGrid& areas) {
    std::array<int, AreaCount + 1> size{};
    for (std::uint8_t v : areas)
        ++size[v];
    return size;
}

std::string areaReport(const AreaGrid& areas) {
    const std::array<int, AreaCount + 1> size = areaSizes(areas);
    std::string out = "Area  capacity  pixels  founders\n";
    char line[128];
    for (int a = 1; a <= AreaCount; ++a) {
        std::string held;
        for (std::size_t f = 0; f < Founders.size(); ++f) {
            if (areas[idx(Founders[f].x, Founders[f].y)] == a) held += " #" + std::to_string(f + 1);
        }
        std::snprintf(line, sizeof line, "%4d  %8d  %6d %s\n", a, capacity(a),
                      size[static_cast<std::size_t>(a)], held.c_str());
        out += line;
    }
    std::snprintf(line, sizeof line, "none            %6d\n", size[0]);
    out += line;
    return out;
}

} // namespace mkmedia
