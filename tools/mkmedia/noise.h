// Integer hashing and gradient noise: the only source of randomness in the generator, fully
// determined by its arguments so every run draws the same pictures.
#pragma once

#include <cstdint>

namespace mkmedia {

// Well-mixed 32-bit hash of a lattice point and a seed.
std::uint32_t hash2(std::int32_t x, std::int32_t y, std::uint32_t seed);

// hash2 mapped to [0, 1).
double hashUnit(std::int32_t x, std::int32_t y, std::uint32_t seed);

// Gradient noise on a unit lattice, about -1..1, smooth (quintic fade), 0 at lattice points.
double gradientNoise(double x, double y, std::uint32_t seed);

// Sum of `octaves` noise layers starting at wavelength `cell` pixels, each half the wavelength
// and `gain` times the amplitude of the one before; normalised to about -1..1.
double fbm(double x, double y, double cell, int octaves, double gain, std::uint32_t seed);

// Like fbm but built from 1 - |noise|, giving sharp crests: 0..1.
double ridgedFbm(double x, double y, double cell, int octaves, std::uint32_t seed);

// Polynomial helpers used instead of library transcendental functions, whose last bits may
// differ between C libraries.
double clamp01(double v);
double smoothstep(double edge0, double edge1, double v);

// sin of an angle in radians, from a Taylor series after range reduction.
double sinApprox(double a);

constexpr double Pi = 3.14159265358979323846;

} // namespace mkmedia
