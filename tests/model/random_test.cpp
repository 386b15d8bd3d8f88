// The random draw: seeded from the clock, or the generator as independently computed. How R(n)
// scales the generator's numbers is pinned by the golden runs.
#include "model/random.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Each test runs in a process of its own, so this first draw is the process's first.
TEST(RandomDraw, AnUnseededProcessDrawsFromTheClock) {
    std::set<int> seen;
    for (int i = 0; i < 20; ++i)
        seen.insert(model::R(1000000));
    EXPECT_GT(seen.size(), 15u);
}

// First outputs computed separately from the generator's description (seeding by 34 products,
// p = 0, q = 10, 31 discarded steps), not taken from this implementation.
TEST(RandomDraw, GeneratorMatchesIndependentComputation) {
    model::seedRandom(0);
    for (std::uint64_t w : {0x8b910d6160217bdfull, 0xc8afe081ed8e05c2ull, 0xa90e502fd8a9df79ull,
                            0x60ee47bf559fe441ull})
        EXPECT_EQ(model::randomStep(), w);
    model::seedRandom(20261206);
    EXPECT_EQ(model::randomStep(), 0xe382bb0af1999bd3ull);
}

} // namespace
