// The keeper's policies on hand-built herds: release points, cull, spread, and no draws.
#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/tables.h"
#include "tools/sim/policy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

namespace {

// A map of `width` x `height` values 0 with the given values set.
model::AreaMap picture(int width, int height,
                       const std::vector<std::tuple<int, int, std::int32_t>>& pixels) {
    model::AreaMap m{width, height, std::vector<std::int32_t>(std::size_t(width * height))};
    for (auto [x, y, v] : pixels)
        m.values[std::size_t(y * width + x)] = v;
    return m;
}

struct Sketch {
    std::int32_t area, sex, age;
};

// The herd becomes `sketches` in order; animal i carries id i in `constitution`.
void makeHerd(const std::vector<Sketch>& sketches) {
    model::herdClear();
    for (std::size_t i = 0; i < sketches.size(); ++i) {
        model::Animal& a = model::herdAppend();
        std::tie(a.area, a.sex, a.age) =
            std::tie(sketches[i].area, sketches[i].sex, sketches[i].age);
        a.constitution = std::int32_t(i);
        a.x = a.y = -1;
    }
}

// Each animal as (id, area, x, y), in herd order.
std::vector<std::array<std::int32_t, 4>> herd() {
    std::vector<std::array<std::int32_t, 4>> out;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        out.push_back({it->constitution, it->area, it->x, it->y});
    return out;
}

// Ties go to the smaller y, then the smaller x; the mean need not be a pixel of the Area; a
// pixel of no Area (0, 17) belongs to none; an Area with no pixel has no point.
TEST(SimPolicy, ReleasePointIsThePixelNearestTheMean) {
    // Area 1 with a gap, Area 3 a square, Area 5 an L.
    const model::AreaMap p = picture(6, 4, {{0, 0, 1}, {2, 0, 1}, {1, 0, 17}, {4, 0, 3}, {5, 0, 3},
                                         {4, 1, 3}, {5, 1, 3}, {0, 2, 5}, {0, 3, 5}, {1, 3, 5},
                                         {2, 3, 5}, {3, 3, 5}});
    const sim::ReleasePoints points = sim::releasePoints(p);
    for (int a = 1; a <= model::AreaCount; ++a) {
        const sim::ReleasePoint want = a == 1   ? sim::ReleasePoint{0, 0, true}
                                       : a == 3 ? sim::ReleasePoint{4, 0, true}
                                       : a == 5 ? sim::ReleasePoint{1, 3, true}
                                                : sim::ReleasePoint{};
        EXPECT_EQ(std::tie(points[a].x, points[a].y, points[a].valid),
                  std::tie(want.x, want.y, want.valid))
            << "Area " << a;
    }
}

// Area 4 (capacity 3) holds exactly 3 and keeps them; Area 3 (capacity 4) holds 6 and loses its
// two oldest: of the three aged 9, the two earlier in herd order. Animals of no Area stay.
TEST(SimPolicy, CullRemovesTheOldestDownToCapacity) {
    model::loadTables();
    ASSERT_EQ(std::pair(model::AreaCapacity[3], model::AreaCapacity[4]), std::pair(4, 3));
    makeHerd({{3, 0, 5}, {4, 0, 30}, {3, 1, 9}, {3, 0, 9}, {0, 0, 40}, {4, 1, 30}, {3, 1, 2},
              {3, 0, 9}, {4, 0, 1}, {3, 1, 1}});
    sim::cull();
    std::vector<std::int32_t> ids;
    for (const auto& a : herd())
        ids.push_back(a[0]);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{0, 1, 4, 5, 6, 7, 8, 9}));
}

// `sketches`, and a young male in every other Area that a case does not leave empty.
std::vector<Sketch> withFillers(std::vector<Sketch> sketches, std::vector<std::int32_t> empty) {
    for (const Sketch& s : sketches)
        empty.push_back(s.area);
    for (std::int32_t a = 1; a <= model::AreaCount; ++a)
        if (std::find(empty.begin(), empty.end(), a) == empty.end()) sketches.push_back({a, 1, 0});
    return sketches;
}

TEST(SimPolicy, SpreadMovesAPairFromTheFullestDonorIntoEachEmptyArea) {
    std::vector<std::tuple<int, int, std::int32_t>> pixels;
    for (std::int32_t a = 1; a <= model::AreaCount; ++a)
        if (a != 2) pixels.emplace_back(a, 0, a); // Area a's release point is (a, 0)
    const sim::ReleasePoints points = sim::releasePoints(picture(17, 1, pixels));

    // No Area has two breeding females and two breeding males: nothing moves.
    makeHerd(withFillers({{1, 0, 3}, {1, 0, 10}, {1, 1, 6}, {1, 1, 5}, {6, 1, 20}}, {9}));
    const auto before = herd();
    sim::spread(points);
    EXPECT_EQ(herd(), before);

    // Area 1 is the fullest (7) but holds one pair only; Area 2, empty, has no pixel. Area 4
    // takes from Area 3 (6 animals against 5 in Areas 6 and 7) its first breeding female and
    // male, 11 and 10, not the too old female 7 nor the too young male 8. Area 3, left with 4
    // and one pair, is out; Area 9 takes from the tie of Areas 6 and 7 the lower, Area 6; Area
    // 12 then takes from Area 7.
    makeHerd(withFillers({{1, 0, 3}, {1, 1, 6},  {1, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 0},
                          {1, 0, 1}, {3, 0, 11}, {3, 1, 5}, {7, 0, 4}, {3, 1, 7}, {3, 0, 10},
                          {6, 1, 8}, {3, 0, 3},  {6, 0, 9}, {3, 1, 6}, {6, 0, 5}, {7, 1, 6},
                          {6, 1, 6}, {7, 0, 8},  {7, 1, 7}, {6, 0, 0}, {7, 1, 0}},
                         {2, 4, 9, 12}));
    auto want = herd();
    for (auto [id, area] : {std::pair{10, 4}, {11, 4}, {12, 9}, {14, 9}, {9, 12}, {17, 12}})
        want[std::size_t(id)] = {id, area, area, 0};
    sim::spread(points);
    EXPECT_EQ(herd(), want);
}

// Lists of one, two and three policies, and a repeated one, as --policy reads them and as they
// act in their order on a herd whose Area 3 (capacity 4) holds three breeding pairs and whose
// Area 4 is empty: cull takes the oldest pair, so spread after it leaves Area 3 two animals.
TEST(SimPolicy, ListsActInTheirOrder) {
    model::loadTables();
    const sim::ReleasePoints points = sim::releasePoints(picture(2, 1, {{0, 0, 3}, {1, 0, 4}}));
    using P = sim::Policy;
    const std::tuple<const char*, std::vector<P>, int, int> cases[] = {
        {"cull", {P::Cull}, 4, 0},
        {"spread", {P::Spread}, 4, 2},
        {"spread,cull", {P::Spread, P::Cull}, 4, 2},
        {"cull,spread", {P::Cull, P::Spread}, 2, 2},
        {"cull,spread,cull", {P::Cull, P::Spread, P::Cull}, 2, 2},
        {"cull,cull", {P::Cull, P::Cull}, 4, 0},
    };
    for (const auto& [text, list, inThree, inFour] : cases) {
        sim::Options o;
        std::string error;
        const char* args[] = {"selvo-sim", "--policy", text};
        ASSERT_TRUE(sim::parseOptions(3, args, o, error)) << error;
        EXPECT_EQ(std::pair(o.policies, sim::policyText(o.policies)),
                  std::pair(list, std::string(text)));
        makeHerd({{3, 0, 4}, {3, 0, 9}, {3, 1, 6}, {3, 0, 5}, {3, 1, 9}, {3, 1, 7}});
        sim::applyPolicies(o.policies, points);
        std::array<int, 2> counts{};
        for (const auto& a : herd())
            ++counts[std::size_t(a[1] - 3)];
        EXPECT_EQ(counts, (std::array<int, 2>{inThree, inFour})) << text;
    }
}

// With the same seed, the draws after a policy are those a game without it would make: the
// policies changed the founders' herd but took nothing from the generator.
TEST(SimPolicy, PoliciesDrawNoNumber) {
    model::loadTables();
    const sim::ReleasePoints points = sim::releasePoints(
        picture(900, 640, {{600, 300, 2}, {100, 100, 9}, {501, 144, 1}, {543, 146, 1}}));
    const auto nextDraws = [&](bool policies) {
        model::seedRandom(7);
        makeHerd({{1, 0, 4}, {1, 0, 5}, {1, 1, 7}, {1, 1, 8}, {1, 0, 1}, {1, 0, 2}, {1, 0, 9},
                  {1, 0, 9}, {1, 1, 9}, {1, 1, 9}, {1, 1, 9}, {1, 1, 9}});
        const auto herdBefore = herd();
        if (policies)
            sim::applyPolicies({sim::Policy::Cull, sim::Policy::Spread, sim::Policy::Cull}, points);
        EXPECT_EQ(herd() == herdBefore, !policies) << "the policies must act on this herd";
        std::vector<std::uint64_t> draws;
        for (int i = 0; i < 5; ++i)
            draws.push_back(model::randomStep());
        return draws;
    };
    EXPECT_EQ(nextDraws(true), nextDraws(false));
}

} // namespace
