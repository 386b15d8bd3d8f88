// Hashes and noise built only from integer operations and IEEE +, -, *, /.
#include "tools/mkmedia/noise.h"

#include <cmath>

namespace mkmedia {
namespace {

// Sixteen unit gradient directions, 22.5 degrees apart.
constexpr double Gradients[16][2] = {
    {1, 0},
    {0.92387953251128674, 0.38268343236508978},
    {0.70710678118654757, 0.70710678118654746},
    {0.38268343236508984, 0.92387953251128674},
    {0, 1},
    {-0.38268343236508973, 0.92387953251128674},
    {-0.70710678118654746, 0.70710678118654757},
    {-0.92387953251128674, 0.38268343236508989},
    {-1, 0},
    {-0.92387953251128685, -0.38268343236508967},
    {-0.70710678118654768, -0.70710678118654746},
    {-0.38268343236509034, -0.92387953251128652},
    {0, -1},
    {0.38268343236509, -0.92387953251128663},
    {0.70710678118654735, -0.70710678118654768},
    {0.92387953251128652, -0.38268343236509039},
};

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

double fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

double cornerDot(std::int32_t ix, std::int32_t iy, double dx, double dy, std::uint32_t seed) {
    const double* g = Gradients[hash2(ix, iy, seed) >> 28];
    return g[0] * dx + g[1] * dy;
}

} // namespace

std::uint32_t hash2(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u;
    h ^= static_cast<std::uint32_t>(y) * 0xd8163841u;
    h ^= seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return h;
}

double hashUnit(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    return hash2(x, y, seed) * (1.0 / 4294967296.0);
}

double gradientNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy);
    const double dx = x - fx, dy = y - fy;
    const double n00 = cornerDot(ix, iy, dx, dy, seed);
    const double n10 = cornerDot(ix + 1, iy, dx - 1, dy, seed);
    const double n01 = cornerDot(ix, iy + 1, dx, dy - 1, seed);
    const double n11 = cornerDot(ix + 1, iy + 1, dx - 1, dy - 1, seed);
    const double u = fade(dx), v = fade(dy);
    // Scaled so the result spans about -1..1.
    return 1.4142 * lerp(lerp(n00, n10, u), lerp(n01, n11, u), v);
}

double fbm(double x, double y, double cell, int octaves, double gain, std::uint32_t seed) {
    double sum = 0, amp = 1, norm = 0, freq = 1.0 / cell;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * gradientNoise(x * freq, y * freq, seed + 977u * static_cast<unsigned>(i));
        norm += amp;
        amp *= gain;
        freq *= 2.03;
    }
    return sum / norm;
}

double ridgedFbm(double x, double y, double cell, int octaves, std::uint32_t seed) {
    double sum = 0, amp = 1, norm = 0, freq = 1.0 / cell, weight = 1;
    for (int i = 0; i < octaves; ++i) {
        double n = 1 - std::fabs(gradientNoise(x * freq, y * freq, seed + 613u * i));
        n *= n * weight;
        weight = clamp01(n * 1.6);
        sum += amp * n;
        norm += amp;
        amp *= 0.5;
        freq *= 2.07;
    }
    return sum / norm;
}

double clamp01(double v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

double smoothstep(double edge0, double edge1, double v) {
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

double sinApprox(double a) {
    // Reduce to -pi..pi, then to -pi/2..pi/2 by sin(pi - a) = sin(a).
    a -= 2 * Pi * std::floor((a + Pi) / (2 * Pi));
    if (a > Pi / 2) a = Pi - a;
    if (a < -Pi / 2) a = -Pi - a;
    const double a2 = a * a;
    double term = a, sum = a;
    for (int k = 1; k < 10; ++k) {
        term *= -a2 / ((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

} // namespace mkmedia
