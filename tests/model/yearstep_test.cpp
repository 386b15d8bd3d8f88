// The yearly step on small hand-built herds with every draw scripted. Herds, draws and results
// are written as text (the deaths with their causes): an animal is "<Area> <f|m> <age> c<constitution> @<x>,<y> g<genes>
// ill<illness>/<level>" (all after the age optional: c50 @50,50 g11 ill0/0), and a result adds
// the size class after the age and the icon after the genes.
#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/tables.h"
#include "tests/support/support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <sstream>

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

// "n:v" is one draw answered v, "n:v*k" k of them; "stayK" the four offsets of 0 of each of K
// animals and a rating of 1 + 2 - 3 = 0; "quietK" the food and illness of an Area of K healthy
// members (the first as contact, no outbreak).
void expectDraws(const std::string& draws) {
    script.clear();
    std::istringstream in(draws);
    for (std::string token; in >> token;) {
        int n = 0, v = 0, k = 1;
        if (std::sscanf(token.c_str(), "stay%d", &k) == 1) {
            script.insert(script.end(), std::size_t(4 * k), {20, 10});
            script.insert(script.end(), {{3, 1}, {3, 2}});
        } else if (std::sscanf(token.c_str(), "quiet%d", &k) == 1) {
            for (int i = 0; i < k; ++i)
                script.insert(script.end(), {{k - 1, 0}, {100, 100}});
        } else {
            ASSERT_GE(std::sscanf(token.c_str(), "%d:%d*%d", &n, &v, &k), 2) << token;
            script.insert(script.end(), std::size_t(k), {n, v});
        }
    }
    model::setDrawOverride(&scripted);
}

// Animals separated by ";".
void addHerd(const std::string& herd) {
    std::istringstream in(herd);
    for (std::string text; std::getline(in, text, ';');) {
        int area = 1, age = 0, con = 50, x = 50, y = 50, genes = 11, ill = 0, level = 0;
        char sex = 'f';
        std::istringstream fields(text);
        fields >> area >> sex >> age;
        for (std::string f; fields >> f;) {
            if (f[0] == 'c') std::sscanf(f.c_str(), "c%d", &con);
            if (f[0] == 'g') std::sscanf(f.c_str(), "g%d", &genes);
            if (f[0] == '@') std::sscanf(f.c_str(), "@%d,%d", &x, &y);
            if (f[0] == 'i') std::sscanf(f.c_str(), "ill%d/%d", &ill, &level);
        }
        const int g1 = genes / 10, g2 = genes % 10;
        model::herdAppend() = {g1,  g2,   model::iconForGenes(g1, g2), sex == 'm', x,   y,
                               model::sizeClassForAge(age), area, age, con, ill, level};
    }
}

std::string herdText() {
    std::ostringstream out;
    out << "year " << model::year << " rating " << model::yearRating << " births "
        << model::birthsThisYear << " deaths " << model::deathsThisYear << " = "
        << model::oldAgeDeathsThisYear << " old + " << model::weaknessDeathsThisYear << " weak";
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        out << "\n"
            << it->area << (it->sex ? " m " : " f ") << it->age << "/" << it->sizeClass << " c"
            << it->constitution << " @" << it->x << "," << it->y << " g" << it->gene1 << it->gene2
            << "=" << it->iconPicture << " ill" << it->illness << "/" << it->illnessLevel;
    return out.str();
}

struct Step {
    const char* name;
    const char* areas; // the Area map's value, 100 x 100, then "x0,y0,x1,y1=value" painted
    const char* herd;
    std::string draws;
    const char* after;
};

void PrintTo(const Step& s, std::ostream* out) {
    *out << s.name;
}

// Sets up the areas and the herd, plays one step on the draws and returns the result.
std::string step(const std::string& areas, const std::string& herd, const std::string& draws) {
    model::loadTables();
    model::herdClear();
    model::year = 0;
    model::birthsThisYear = 5;
    model::deathsThisYear = 7;
    model::oldAgeDeathsThisYear = model::weaknessDeathsThisYear = 3;
    std::istringstream in(areas);
    int fill = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0, v = 0;
    in >> fill;
    support::makeAreas(100, 100, fill);
    for (std::string paint;
         in >> paint && std::sscanf(paint.c_str(), "%d,%d,%d,%d=%d", &x0, &y0, &x1, &y1, &v) == 5;)
        support::paintAreas(x0, y0, x1, y1, v);
    addHerd(herd);
    expectDraws(draws);
    model::yearStep();
    model::setDrawOverride(nullptr);
    EXPECT_TRUE(script.empty()) << script.size() << " scripted draws left unused";
    return herdText();
}

class YearStep : public ::testing::TestWithParam<Step> {};

TEST_P(YearStep, DrawsAndChangesExactlyAsTheRulesSay) {
    EXPECT_EQ(step(GetParam().areas, GetParam().herd, GetParam().draws), GetParam().after);
}

const Step steps[] = {
    {"EmptyHerdDrawsOnlyTheRating", "1", "", "3:3 3:2", "year 1 rating 2 births 0 deaths 0 = 0 old + 0 weak"},
    // Area 16 (capacity 12) feeds 10 to each of two.
    {"DeathByAgeFrom18CertainAt24", "16", "16 f 23; 16 f 16; 16 f 17; 16 f 17",
     "10:10  20:10*4  10:4  10:5 20:10*4  3:1 3:2 quiet2",
     "year 1 rating 0 births 0 deaths 2 = 2 old + 0 weak\n"
     "16 f 17/2 c60 @50,50 g11=5 ill0/0\n"
     "16 f 18/2 c60 @50,50 g11=5 ill0/0"},
    // No Area at x 40..49, Area 2 from x 50; 101 is capped at the end of the step.
    {"WanderingStaysInItsAreaAndRarelyCrosses", "1 40,0,49,99=0 50,0,99,99=2",
     "1 f 0 c94 @30,50; 1 f 0 @30,50; 1 f 0 @45,50; 1 f 0 @45,50; 2 f 0 @95,50",
     "20:15 20:10 20:7 20:10  20:20 20:10*3  20:20 20:10*3 100:4  20:20 20:10*3 100:5 "
     " 20:20 20:10*3  3:1 3:2 quiet3 quiet2",
     "year 1 rating 0 births 0 deaths 0 = 0 old + 0 weak\n"
     "1 f 1/1 c100 @35,47 g11=5 ill0/0\n"
     "1 f 1/1 c57 @30,50 g11=5 ill0/0\n"
     "2 f 1/1 c60 @55,50 g11=5 ill0/0\n"
     "1 f 1/1 c57 @45,50 g11=5 ill0/0\n"
     "2 f 1/1 c60 @95,50 g11=5 ill0/0"},
    // Both males of 8 and 12 score 1: the first stays the father.
    {"FatherIsTheFirstBestMaleAndTheYoungFollowsItsMother", "1",
     "1 f 5 c60 @40,40; 1 m 7 g44; 1 m 11 g22; 1 f 11; 1 f 1",
     "stay5 quiet5  2:2 2:0  2:0 2:2  1:1 1:0 1:1 30:20 30:5 30:0 30:30 20:7",
     "year 1 rating 0 births 1 deaths 0 = 0 old + 0 weak\n"
     "1 f 6/2 c65 @40,40 g11=5 ill0/0\n"
     "1 m 0/1 c72 @55,10 g14=9 ill0/0\n"
     "1 m 8/2 c55 @50,50 g44=4 ill0/0\n"
     "1 m 12/2 c55 @50,50 g22=6 ill0/0\n"
     "1 f 12/2 c55 @50,50 g11=5 ill0/0\n"
     "1 f 2/1 c55 @50,50 g11=5 ill0/0"},
    // Area 1: a female of 3 is the only one to count; Area 2: mothers of 10 and 11.
    {"MothersFrom3To10BearAndAMaleOf6DrawsHisScore", "1 50,0,99,99=2",
     "1 m 7 @20,50 g44; 1 m 5 @20,50 g22; 1 f 1 @20,50; 1 f 2 @20,50; "
     "2 m 7 @70,50 g44; 2 f 9 @70,50; 2 f 10 @70,50",
     "stay7 quiet4  2:2 2:0  2:2 2:0  1:1 1:0 1:0 30:15*4 20:0 "
     "quiet3  2:2 2:0  1:1 1:0 1:0 30:15*4 20:0",
     "year 1 rating 0 births 2 deaths 0 = 0 old + 0 weak\n"
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
    {"AMaleOf7NeverFathers", "4", "4 m 6; 4 f 5; 4 f 1", "stay3 quiet3 2:2 2:0",
     "year 1 rating 0 births 0 deaths 0 = 0 old + 0 weak\n"
     "4 m 7/2 c50 @50,50 g11=5 ill0/0\n"
     "4 f 6/2 c50 @50,50 g11=5 ill0/0\n"
     "4 f 2/1 c50 @50,50 g11=5 ill0/0"},
    // One over capacity: -2 each; the mother, last, has 8 (t = 6) and loses all to R(10) = 6.
    {"ACrowdedOutMotherStillBearsAndBothDie", "4", "4 m 11; 4 f 0; 4 f 0; 4 f 5 c10",
     "stay4 quiet4  10:6  2:1 2:1  1:0 1:0 1:0 30:15*4 20:0",
     "year 1 rating 0 births 1 deaths 2 = 0 old + 2 weak\n"
     "4 m 12/2 c48 @50,50 g11=5 ill0/0\n"
     "4 f 1/1 c48 @50,50 g11=5 ill0/0\n"
     "4 f 1/1 c48 @50,50 g11=5 ill0/0"},
    // +6 each. The first catches blue at exactly half its constitution and breaks out red in the
    // same year; the second escapes at half less one and at an outbreak draw of exactly 5; the
    // third, already ill, adds blue; the fourth heals.
    {"IllnessSpreadsBreaksOutAddsUpAndHeals", "1",
     "1 f 9 c90; 1 f 10 c100 g44 ill4/20; 1 f 2 c90 g41 ill2/8; 1 f 4 g22 ill1/3",
     "stay4  3:1 100:48 100:4 2:0 20:5 10:5 10:5  3:0 100:52 100:5 10:3 10:7 "
     " 3:2 100:100 100:4 2:2 20:0 10:10 10:0  3:3 100:27 100:100 10:0 10:3",
     "year 1 rating 0 births 0 deaths 0 = 0 old + 0 weak\n"
     "1 f 10/2 c36 @50,50 g11=5 ill5/15\n"
     "1 f 11/2 c26 @50,50 g44=4 ill4/16\n"
     "1 f 3/1 c56 @50,50 g41=9 ill6/20\n"
     "1 f 5/1 c53 @50,50 g22=6 ill0/0"},
};

INSTANTIATE_TEST_SUITE_P(Rules, YearStep, ::testing::ValuesIn(steps),
                         [](const auto& info) { return std::string(info.param.name); });

// Five females in Area 4 (capacity 3) lose 4 each; the last, of constitution `last` after the
// food, loses all when R(20) reaches 0.75 * last rounded half to even (t = 60 for 80; 7.5 rounds
// up to 8, 4.5 down to 4, 6.75 to 7), or on the second chance R(25) = 1.
TEST(CrowdingLoss, TheLastMemberFacesIt) {
    for (auto [last, draws, dies] : {std::tuple{80, "20:20 25:1", true},
                                     {80, "20:20 25:0", false},
                                     {10, "20:8", true},
                                     {10, "20:7 25:0", false},
                                     {6, "20:4", true},
                                     {9, "20:6 25:0", false}}) {
        std::string after = "year 1 rating 0 births 0 deaths " + std::to_string(dies) + " = 0 old + " +
                            std::to_string(dies) + " weak";
        for (int i = 0; i < (dies ? 4 : 5); ++i)
            after += "\n4 f 6/2 c" + std::to_string(i < 4 ? 46 : last) + " @50,50 g11=5 ill0/0";
        EXPECT_EQ(step("4", "4 f 5; 4 f 5; 4 f 5; 4 f 5; 4 f 5 c" + std::to_string(last + 4),
                       "stay5 quiet5 " + std::string(draws)),
                  after)
            << draws;
    }
}

} // namespace
