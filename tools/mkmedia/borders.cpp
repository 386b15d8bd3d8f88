// Border drawing: the line sits on one side of each edge (the higher Area number, so on the
// land side of a lake shore); dashes are measured along the line by a breadth-first walk.
#include "tools/mkmedia/borders.h"

#include <vector>

#include "tools/mkmedia/distance.h"

namespace mkmedia {
namespace {

constexpr Rgb LineColour{46, 38, 34};
constexpr Rgb HaloColour{255, 252, 240};
constexpr int DashOn = 6, DashPeriod = 10;

} // namespace

Image drawBorders(const Image& plainMap, const AreaGrid& areas) {
    const int w = plainMap.width, h = plainMap.height;
    const std::size_t n = static_cast<std::size_t>(w) * h;
    std::vector<std::uint8_t> line(n, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            auto lower = [&](int nx, int ny) {
                return nx >= 0 && ny >= 0 && nx < w && ny < h &&
                       areas[static_cast<std::size_t>(ny) * w + nx] < areas[i];
            };
            if (lower(x - 1, y) || lower(x + 1, y) || lower(x, y - 1) || lower(x, y + 1))
                line[i] = 1;
        }
    }

    // Position along the line: steps from where the walk entered each piece of line.
    std::vector<int> along(n, -1);
    std::vector<std::size_t> queue;
    for (std::size_t s = 0; s < n; ++s) {
        if (!line[s] || along[s] >= 0) continue;
        along[s] = 0;
        queue.assign(1, s);
        for (std::size_t k = 0; k < queue.size(); ++k) {
            const std::size_t i = queue[k];
            const int x = static_cast<int>(i % w), y = static_cast<int>(i / w);
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    const std::size_t j = static_cast<std::size_t>(ny) * w + nx;
                    if (line[j] && along[j] < 0) {
                        along[j] = along[i] + 1;
                        queue.push_back(j);
                    }
                }
            }
        }
    }

    const std::vector<double> dist = distanceToMask(line, w, h);
    Image out = plainMap;
    for (std::size_t i = 0; i < n; ++i) {
        double halo = 0;
        Rgb c{double(out.data[i * 3]), double(out.data[i * 3 + 1]), double(out.data[i * 3 + 2])};
        if (line[i] && along[i] % DashPeriod < DashOn) {
            c = mix(c, LineColour, 0.82);
        } else if (dist[i] < 1.5) {
            halo = line[i] ? 0.55 : 0.45;
        } else if (dist[i] < 2.5) {
            halo = 0.18;
        }
        c = mix(c, HaloColour, halo);
        out.data[i * 3] = toByte(c.r);
        out.data[i * 3 + 1] = toByte(c.g);
        out.data[i * 3 + 2] = toByte(c.b);
    }
    return out;
}

} // namespace mkmedia
