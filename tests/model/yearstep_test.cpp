// The yearly step on small hand-built herds with every draw scripted.
#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/tables.h"
#include "tests/support/support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <sstream>
#include <vector>

namespace {

// The draws a step must make, in order: (n, value). A draw with another n, a draw past the end
// and a draw left unused all fail the test.
std::deque<std::pair<int, int>> script;

std::int32_t scripted(std::int32_t n) {
    if (script.empty()) {
        ADD_FAILURE() << "a draw R(" << n << ") past the end of the script";
        return 0;
    }
    const auto [want, value] = script.front();
    script.pop_front();
    EXPECT_EQ(n, want) << "a draw out of order, " << script.size() << " before the end";
    return value;
}

// "n:v" is one draw answered v, "n:v*k" k of them.
void expectDraws(const std::string& draws) {
    script.clear();
    std::istringstream in(draws);
    for (std::string token; in >> token;) {
        int n = 0, v = 0, k = 1;
        ASSERT_GE(std::sscanf(token.c_str(), "%d:%d*%d", &n, &v, &k), 2) << token;
        script.insert(script.end(), std::size_t(k), {n, v});
    }
    model::setDrawOverride(&scripted);
}

// Animals that stay where they are (four offsets of 10), and a rating of 1 + 2 - 3 = 0.
std::string stay(int animals) {
    return " 20:10*" + std::to_string(4 * animals) + " 3:1 3:2";
}

// Food and illness of an Area of n healthy members: the first as contact, no outbreak.
std::string quiet(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += " " + std::to_string(n - 1) + ":0 100:100";
    return s;
}

struct Spec {
    int area = 1;
    char sex = 'f';
    int age = 5, con = 50, x = 50, y = 50, g1 = 1, g2 = 1, ill = 0, level = 0;
};

void add(const Spec& s) {
    model::Animal& a = model::herdAppend();
    a = {s.g1,
         s.g2,
         model::iconForGenes(s.g1, s.g2),
         s.sex == 'm',
         s.x,
         s.y,
         model::sizeClassForAge(s.age),
         s.area,
         s.age,
         s.con,
         s.ill,
         s.level};
}

// The counts, then per animal: Area, sex, age/size class, constitution, position,
// genes=icon, illness/level.
std::string herdText() {
    std::ostringstream out;
    out << "year " << model::year << " rating " << model::yearRating << " births "
        << model::birthsThisYear << " deaths " << model::deathsThisYear;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        out << "\n"
            << it->area << (it->sex ? " m " : " f ") << it->age << "/" << it->sizeClass << " c"
            << it->constitution << " @" << it->x << "," << it->y << " g" << it->gene1 << it->gene2
            << "=" << it->iconPicture << " ill" << it->illness << "/" << it->illnessLevel;
    return out.str();
}

struct Step {
    const char* name;
    int fill;                              // the areas picture's value, 100 x 100
    std::vector<std::array<int, 5>> paint; // x0, y0, x1, y1, value painted over it
    std::vector<Spec> herd;
    std::string draws;
    const char* after;
};

void PrintTo(const Step& s, std::ostream* out) {
    *out << s.name;
}

class Model : public ::testing::Test {
  protected:
    void SetUp() override {
        model::loadTables();
        model::herdClear();
        model::year = 0;
        model::birthsThisYear = 5;
        model::deathsThisYear = 7;
    }
    void TearDown() override {
        model::setDrawOverride(nullptr);
        EXPECT_TRUE(script.empty()) << script.size() << " scripted draws left unused";
    }
};

class YearStep : public Model, public ::testing::WithParamInterface<Step> {};

TEST_P(YearStep, DrawsAndChangesExactlyAsTheRulesSay) {
    const Step& s = GetParam();
    support::makeAreas(100, 100, s.fill);
    for (auto [x0, y0, x1, y1, v] : s.paint)
        support::paintAreas(x0, y0, x1, y1, v);
    for (const Spec& a : s.herd)
        add(a);
    expectDraws(s.draws);
    model::yearStep();
    EXPECT_EQ(herdText(), s.after);
}

const Step steps[] = {
    {"EmptyHerdDrawsOnlyTheRating", 1, {}, {}, "3:3 3:2", "year 1 rating 2 births 0 deaths 0"},
    // Area 16 (capacity 12) feeds 10 to each of two.
    {"DeathByAgeFrom18CertainAt24",
     16,
     {},
     {{.area = 16, .age = 23},
      {.area = 16, .age = 16},
      {.area = 16, .age = 17},
      {.area = 16, .age = 17}},
     "10:10  20:10*4  10:4  10:5 20:10*4  3:1 3:2" + quiet(2),
     "year 1 rating 0 births 0 deaths 2\n"
     "16 f 17/2 c60 @50,50 g11=5 ill0/0\n"
     "16 f 18/2 c60 @50,50 g11=5 ill0/0"},
    // No Area at x 40..49, Area 2 from x 50; 101 is capped at the end of the step.
    {"WanderingStaysInItsAreaAndRarelyCrosses",
     1,
     {{40, 0, 49, 99, 0}, {50, 0, 99, 99, 2}},
     {{.age = 0, .con = 94, .x = 30},
      {.age = 0, .x = 30},
      {.age = 0, .x = 45},
      {.age = 0, .x = 45},
      {.area = 2, .age = 0, .x = 95}},
     "20:15 20:10 20:7 20:10  20:20 20:10*3  20:20 20:10*3 100:4  20:20 20:10*3 100:5 "
     " 20:20 20:10*3  3:1 3:2" +
         quiet(3) + quiet(2),
     "year 1 rating 0 births 0 deaths 0\n"
     "1 f 1/1 c100 @35,47 g11=5 ill0/0\n"
     "1 f 1/1 c57 @30,50 g11=5 ill0/0\n"
     "2 f 1/1 c60 @55,50 g11=5 ill0/0\n"
     "1 f 1/1 c57 @45,50 g11=5 ill0/0\n"
     "2 f 1/1 c60 @95,50 g11=5 ill0/0"},
    // Both males of 8 and 12 score 1: the first stays the father.
    {"FatherIsTheFirstBestMaleAndTheYoungFollowsItsMother",
     1,
     {},
     {{.age = 5, .con = 60, .x = 40, .y = 40},
      {.sex = 'm', .age = 7, .g1 = 4, .g2 = 4},
      {.sex = 'm', .age = 11, .g1 = 2, .g2 = 2},
      {.age = 11},
      {.age = 1}},
     stay(5) + quiet(5) + " 2:2 2:0  2:0 2:2  1:1 1:0 1:1 30:20 30:5 30:0 30:30 20:7",
     "year 1 rating 0 births 1 deaths 0\n"
     "1 f 6/2 c65 @40,40 g11=5 ill0/0\n"
     "1 m 0/1 c72 @55,10 g14=9 ill0/0\n"
     "1 m 8/2 c55 @50,50 g44=4 ill0/0\n"
     "1 m 12/2 c55 @50,50 g22=6 ill0/0\n"
     "1 f 12/2 c55 @50,50 g11=5 ill0/0\n"
     "1 f 2/1 c55 @50,50 g11=5 ill0/0"},
    // Area 1: a female of 3 is the only one to count; Area 2: mothers of 10 and 11.
    {"MothersFrom3To10BearAndAMaleOf6DrawsHisScore",
     1,
     {{50, 0, 99, 99, 2}},
     {{.sex = 'm', .age = 7, .x = 20, .g1 = 4, .g2 = 4},
      {.sex = 'm', .age = 5, .x = 20, .g1 = 2, .g2 = 2},
      {.age = 1, .x = 20},
      {.age = 2, .x = 20},
      {.area = 2, .sex = 'm', .age = 7, .x = 70, .g1 = 4, .g2 = 4},
      {.area = 2, .age = 9, .x = 70},
      {.area = 2, .age = 10, .x = 70}},
     stay(7) + quiet(4) + " 2:2 2:0  2:2 2:0  1:1 1:0 1:0 30:15*4 20:0" + quiet(3) +
         " 2:2 2:0  1:1 1:0 1:0 30:15*4 20:0",
     "year 1 rating 0 births 2 deaths 0\n"
     "1 m 8/2 c56 @20,50 g44=4 ill0/0\n"
     "1 m 6/2 c56 @20,50 g22=6 ill0/0\n"
     "1 f 2/1 c56 @20,50 g11=5 ill0/0\n"
     "1 f 3/1 c56 @20,50 g11=5 ill0/0\n"
     "1 f 0/1 c56 @20,50 g14=9 ill0/0\n"
     "2 m 8/2 c59 @70,50 g44=4 ill0/0\n"
     "2 f 10/2 c59 @70,50 g11=5 ill0/0\n"
     "2 f 0/1 c59 @70,50 g14=9 ill0/0\n"
     "2 f 11/2 c59 @70,50 g11=5 ill0/0"},
    // Area 4 at its capacity of 3: no food, no crowding draw; a male of 7 scores 0 at best.
    {"AMaleOf7NeverFathers",
     4,
     {},
     {{.area = 4, .sex = 'm', .age = 6}, {.area = 4, .age = 5}, {.area = 4, .age = 1}},
     stay(3) + quiet(3) + " 2:2 2:0",
     "year 1 rating 0 births 0 deaths 0\n"
     "4 m 7/2 c50 @50,50 g11=5 ill0/0\n"
     "4 f 6/2 c50 @50,50 g11=5 ill0/0\n"
     "4 f 2/1 c50 @50,50 g11=5 ill0/0"},
    // One over capacity: -2 each; the mother, last, has 8 (t = 6) and loses all to R(10) = 6.
    {"ACrowdedOutMotherStillBearsAndBothDie",
     4,
     {},
     {{.area = 4, .sex = 'm', .age = 11},
      {.area = 4, .age = 0},
      {.area = 4, .age = 0},
      {.area = 4, .age = 5, .con = 10}},
     stay(4) + quiet(4) + " 10:6  2:1 2:1  1:0 1:0 1:0 30:15*4 20:0",
     "year 1 rating 0 births 1 deaths 2\n"
     "4 m 12/2 c48 @50,50 g11=5 ill0/0\n"
     "4 f 1/1 c48 @50,50 g11=5 ill0/0\n"
     "4 f 1/1 c48 @50,50 g11=5 ill0/0"},
    // +6 each. The first catches blue at exactly half its constitution and breaks out red in the
    // same year; the second escapes at half less one and at an outbreak draw of exactly 5; the
    // third, already ill, adds blue; the fourth heals.
    {"IllnessSpreadsBreaksOutAddsUpAndHeals",
     1,
     {},
     {{.age = 9, .con = 90},
      {.age = 10, .con = 100, .g1 = 4, .g2 = 4, .ill = 4, .level = 20},
      {.age = 2, .con = 90, .g1 = 4, .g2 = 1, .ill = 2, .level = 8},
      {.age = 4, .g1 = 2, .g2 = 2, .ill = 1, .level = 3}},
     stay(4) + " 3:1 100:48 100:4 2:0 20:5 10:5 10:5  3:0 100:52 100:5 10:3 10:7 "
               " 3:2 100:100 100:4 2:2 20:0 10:10 10:0  3:3 100:27 100:100 10:0 10:3",
     "year 1 rating 0 births 0 deaths 0\n"
     "1 f 10/2 c36 @50,50 g11=5 ill5/15\n"
     "1 f 11/2 c26 @50,50 g44=4 ill4/16\n"
     "1 f 3/1 c56 @50,50 g41=9 ill6/20\n"
     "1 f 5/1 c53 @50,50 g22=6 ill0/0"},
};

INSTANTIATE_TEST_SUITE_P(Rules, YearStep, ::testing::ValuesIn(steps),
                         [](const auto& info) { return std::string(info.param.name); });

// Five females in Area 4 (capacity 3): -4 each, and the last, of constitution `last` after the
// food, loses all when R(20) reaches 0.75 * last rounded half to even, or on a second chance.
struct Crowding {
    int last;
    const char* draws;
    bool dies;
};

class CrowdingLoss : public Model, public ::testing::WithParamInterface<Crowding> {};

TEST_P(CrowdingLoss, TheLastMemberFacesIt) {
    const Crowding c = GetParam();
    support::makeAreas(100, 100, 4);
    for (int i = 0; i < 5; ++i)
        add({.area = 4, .con = i < 4 ? 50 : c.last + 4});
    expectDraws(stay(5) + quiet(5) + " " + c.draws);
    model::yearStep();
    std::string after = "year 1 rating 0 births 0 deaths " + std::to_string(c.dies);
    for (int i = 0; i < (c.dies ? 4 : 5); ++i)
        after += "\n4 f 6/2 c" + std::to_string(i < 4 ? 46 : c.last) + " @50,50 g11=5 ill0/0";
    EXPECT_EQ(herdText(), after);
}

// t = 60 for 80; 7.5 rounds up to 8, 4.5 down to 4, 6.75 to 7.
INSTANTIATE_TEST_SUITE_P(
    Rules, CrowdingLoss,
    ::testing::Values(Crowding{80, "20:20 25:1", true}, Crowding{80, "20:20 25:0", false},
                      Crowding{10, "20:8", true}, Crowding{10, "20:7 25:0", false},
                      Crowding{6, "20:4", true}, Crowding{9, "20:6 25:0", false}));

TEST(Susceptibility, MatchingGenesAndAge) {
    // illness, gene1, gene2, age, exponent
    const int table[][5] = {{4, 4, 4, 10, 2}, {4, 1, 2, 10, 0}, {5, 1, 4, 10, 2},
                            {4, 4, 1, 3, 2},  {0, 1, 1, 0, 1},  {2, 2, 1, 15, 1},
                            {2, 2, 1, 16, 2}, {7, 4, 4, 23, 10}};
    for (const auto& t : table)
        EXPECT_EQ(model::susceptibility(t[0], t[1], t[2], t[3]), t[4])
            << t[0] << t[1] << t[2] << t[3];
}

} // namespace
