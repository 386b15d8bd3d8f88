// Two-pass squared distance transform (lower envelope of parabolas per row and column).
#include "tools/mkmedia/distance.h"

#include <cmath>

namespace mkmedia {
namespace {

constexpr double Far = 1e20;

// One-dimensional squared distance transform of f (length n) into d.
void transform1d(const double* f, int n, double* d, std::vector<int>& v, std::vector<double>& z) {
    auto parabolaCut = [f](int q, int p) {
        return ((f[q] + double(q) * q) - (f[p] + double(p) * p)) / (2.0 * q - 2.0 * p);
    };
    std::size_t k = 0;
    v[0] = 0;
    z[0] = -Far;
    z[1] = Far;
    for (int q = 1; q < n; ++q) {
        double s = parabolaCut(q, v[k]);
        while (s <= z[k]) {
            --k;
            s = parabolaCut(q, v[k]);
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = Far;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q)
            ++k;
        const int p = v[k];
        d[q] = double(q - p) * (q - p) + f[p];
    }
}

} // namespace

std::vector<double> distanceToMask(const std::vector<std::uint8_t>& mask, int width, int height) {
    const int n = width > height ? width : height;
    std::vector<double> grid(mask.size()), f(static_cast<std::size_t>(n)),
        d(static_cast<std::size_t>(n)), z(static_cast<std::size_t>(n) + 1);
    std::vector<int> v(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < mask.size(); ++i)
        grid[i] = mask[i] ? 0 : Far;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            f[y] = grid[static_cast<std::size_t>(y) * width + x];
        transform1d(f.data(), height, d.data(), v, z);
        for (int y = 0; y < height; ++y)
            grid[static_cast<std::size_t>(y) * width + x] = d[y];
    }
    for (int y = 0; y < height; ++y) {
        double* row = &grid[static_cast<std::size_t>(y) * width];
        for (int x = 0; x < width; ++x)
            f[x] = row[x];
        transform1d(f.data(), width, row, v, z);
    }
    for (double& g : grid)
        g = std::sqrt(g);
    return grid;
}

} // namespace mkmedia
