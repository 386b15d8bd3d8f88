// The one random draw of the game: a lagged rotate-and-add generator over 17 entries.
#pragma once

#include <cstdint>

namespace model {

// A uniform whole number from 0 to n inclusive (n >= 0). The first draw of a process that was
// never seeded seeds the generator from the millisecond tick.
std::int32_t R(std::int32_t n);

// Seeds the generator with a chosen value, so that a run can be repeated (tests, tools).
void seedRandom(std::uint32_t seed);

// One raw step of the generator: the 64-bit number W that R(n) scales.
std::uint64_t randomStep();

} // namespace model

namespace model {

// Tests only: when set, R(n) returns override(n) instead of drawing, so that a test can script
// every outcome and check the order in which draws are made. nullptr restores the generator.
using DrawOverride = std::int32_t (*)(std::int32_t n);
void setDrawOverride(DrawOverride override);

} // namespace model
