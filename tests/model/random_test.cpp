// The random draw: exact generator outputs, range and uniformity of R(n).
#include "model/random.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>

namespace {

// First outputs computed separately from the generator's description (seeding by 34 products,
// p = 0, q = 10, 31 discarded steps), not taken from this implementation.
TEST(RandomDraw, GeneratorMatchesIndependentComputation) {
    model::setDrawOverride(nullptr);
    model::seedRandom(0);
    EXPECT_EQ(model::randomStep(), 0x8b910d6160217bdfull);
    EXPECT_EQ(model::randomStep(), 0xc8afe081ed8e05c2ull);
    EXPECT_EQ(model::randomStep(), 0xa90e502fd8a9df79ull);
    EXPECT_EQ(model::randomStep(), 0x60ee47bf559fe441ull);

    model::seedRandom(20261206);
    EXPECT_EQ(model::randomStep(), 0xe382bb0af1999bd3ull);
    EXPECT_EQ(model::randomStep(), 0x78d4b68e668803a2ull);

    // R(n) scales W by n + 1 with the full 128-bit product.
    model::seedRandom(20261206);
    const std::array<int, 6> expected = {89, 47, 69, 33, 58, 95};
    for (int e : expected) EXPECT_EQ(model::R(100), e);
}

TEST(RandomDraw, RangeAndUniformity) {
    model::setDrawOverride(nullptr);
    model::seedRandom(7);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(model::R(0), 0);

    // Chi-square over 10 outcomes, 100000 draws: 9 degrees of freedom, 0.1 % level is 27.9.
    constexpr int n = 9;
    constexpr int draws = 100000;
    std::array<int, n + 1> counts{};
    for (int i = 0; i < draws; ++i) {
        const int r = model::R(n);
        ASSERT_GE(r, 0);
        ASSERT_LE(r, n);
        ++counts[r];
    }
    double chi = 0;
    const double expect = double(draws) / (n + 1);
    for (int c : counts) chi += (c - expect) * (c - expect) / expect;
    EXPECT_LT(chi, 27.9);

    // A fair coin, and R(3) + R(3) - 3 peaks at 0 over -3..+3.
    int ones = 0;
    for (int i = 0; i < draws; ++i) ones += model::R(1);
    EXPECT_NEAR(ones, draws / 2, 1000);
    std::map<int, int> sums;
    for (int i = 0; i < draws; ++i) {
        const int a = model::R(3);
        const int b = model::R(3);
        ++sums[a + b - 3];
    }
    EXPECT_EQ(sums.begin()->first, -3);
    EXPECT_EQ(sums.rbegin()->first, 3);
    for (int v = -3; v < 0; ++v) EXPECT_LT(sums[v], sums[v + 1]);
    for (int v = 3; v > 0; --v) EXPECT_LT(sums[v], sums[v - 1]);

    // The largest n still gives its top value now and then, and never beyond.
    int top = 0;
    for (int i = 0; i < 1000; ++i) top = std::max(top, model::R(2));
    EXPECT_EQ(top, 2);
}

}  // namespace
