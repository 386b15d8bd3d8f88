// The one random draw of the game: a lagged rotate-and-add generator over 17 entries.
#pragma once

#include <array>
#include <cstdint>

namespace model {

// A uniform whole number from 0 to n inclusive (n >= 0). The first draw of a process that was
// never seeded seeds the generator from the millisecond tick.
std::int32_t R(std::int32_t n);

// Seeds the generator with a chosen value, so that a run can be repeated (tests, tools).
void seedRandom(std::uint32_t seed);

// One raw step of the generator: the 64-bit number W that R(n) scales.
std::uint64_t randomStep();

// ---- Model state ----------------------------------------------------------------------------
// The generator's complete state as plain numbers, so that a game can be saved and continued
// with the very draws it would have made.
struct RandomState {
    bool seeded = false; // false: the next draw seeds from the clock; the rest is then all 0
    std::int32_t position = 0; // the entry written next, 0..16
    std::array<std::uint32_t, 34> words{}; // entry i's low word at 2i, its high word at 2i + 1
    bool operator==(const RandomState&) const = default;
};
RandomState randomState();
// Refuses (returning false, changing nothing) a position outside 0..16, or words or a position
// given for a generator that was never seeded.
bool setRandomState(const RandomState& state);
// Back to a generator that was never seeded.
void resetRandom();

} // namespace model

namespace model {

// Tests only: when set, R(n) returns override(n) instead of drawing, so that a test can script
// every outcome and check the order in which draws are made. nullptr restores the generator.
using DrawOverride = std::int32_t (*)(std::int32_t n);
void setDrawOverride(DrawOverride override);

} // namespace model
