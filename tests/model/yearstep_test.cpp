// The yearly step, rule by rule, on small hand-built herds with every draw scripted.
#include "model/game.h"
#include "model/random.h"
#include "model/tables.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace testing_model;

class YearStep : public ::testing::Test {
  protected:
    void SetUp() override {
        model::loadTables();
        makeAreasPicture(100, 100, 1);
        model::herdClear();
        model::year = 0;
        useScript();
    }
    void TearDown() override {
        EXPECT_EQ(script.mismatches, 0) << "a draw came in another order than scripted";
        model::setDrawOverride(nullptr);
    }
    // The four wandering draws of one animal that stays put.
    static void stayPut(int animals) { expectNeutral(20, 4 * animals); }
    static void rating() { expectNeutral(3, 2); }
    // Food and illness of an Area of n healthy members: a contact and no outbreak each.
    static void quietMembers(int n) {
        for (int i = 0; i < n; ++i) {
            expectNeutral(n - 1, 1);
            expectNeutral(100, 1);
        }
    }
};

TEST_F(YearStep, EmptyHerdAdvancesYearAndDrawsOnlyTheRating) {
    expect(3, 3);
    expect(3, 2);
    model::birthsThisYear = 5;
    model::yearStep();
    EXPECT_EQ(model::year, 1);
    EXPECT_EQ(model::yearRating, 2);
    EXPECT_EQ(model::birthsThisYear, 0);
    EXPECT_EQ(model::deathsThisYear, 0);
    EXPECT_EQ(script.drawn, (std::vector<std::int32_t>{3, 3}));
}

TEST_F(YearStep, DeathByAgeCertainAt24NeverAt17) {
    addAnimal(1, 0, 23); // turns 24: even the highest draw kills
    addAnimal(1, 0, 16); // turns 17: no draw at all
    addAnimal(1, 0, 17); // turns 18: dies on a draw of 4 or less
    addAnimal(1, 0, 17);
    expect(10, 10);
    stayPut(1);
    expect(10, 4);
    expect(10, 5);
    stayPut(1);
    model::yearStep();
    const auto herd = herdCopy();
    ASSERT_EQ(herd.size(), 2u);
    EXPECT_EQ(herd[0].age, 17);
    EXPECT_EQ(herd[1].age, 18);
    EXPECT_EQ(herd[1].sizeClass, 2);
    EXPECT_EQ(model::deathsThisYear, 2);
}

TEST_F(YearStep, WanderingStaysInsideItsAreaAndRarelyCrosses) {
    paintArea(40, 0, 49, 99, 0); // no Area
    paintArea(50, 0, 99, 99, 2);
    model::Animal& inside = addAnimal(1, 0, 0, 50, 30, 50);
    model::Animal& blocked = addAnimal(1, 0, 0, 50, 30, 50);
    model::Animal& crosses = addAnimal(1, 0, 0, 50, 45, 50);
    model::Animal& refused = addAnimal(1, 0, 0, 50, 45, 50);
    model::Animal& edge = addAnimal(2, 0, 0, 50, 95, 50);
    auto step = [](int dx, int dy) {
        expect(20, 10 + dx);
        expect(20, 10);
        expect(20, 10 + dy);
        expect(20, 10);
    };
    step(5, -3); // onto its own Area: moves
    step(10, 0); // onto no Area: stays, and no chance is drawn
    step(10, 0); // onto Area 2: moves with a draw below 5
    expect(100, 4);
    step(10, 0);
    expect(100, 5);
    step(10, 0); // off the map: -1 is never an Area
    model::yearStep();
    EXPECT_EQ(inside.x, 35);
    EXPECT_EQ(inside.y, 47);
    EXPECT_EQ(blocked.x, 30);
    EXPECT_EQ(crosses.x, 55);
    EXPECT_EQ(crosses.area, 2);
    EXPECT_EQ(refused.x, 45);
    EXPECT_EQ(refused.area, 1);
    EXPECT_EQ(edge.x, 95);
}

// Area 1 (capacity 10) with 4 members gains 6 each; Area 4 (capacity 3) with 5 loses 4 each and
// its last member faces the crowding loss with P = 20.
struct CrowdingCase {
    int lastConstitution; // before the food
    int crowdDraw;        // R(20)
    int secondChance;     // R(25), -1 when it must not be drawn
    bool lastDies;
};

class Crowding : public YearStep, public ::testing::WithParamInterface<CrowdingCase> {};

TEST_P(Crowding, FoodBalanceAndTheLossOfTheLastMember) {
    const CrowdingCase c = GetParam();
    paintArea(0, 0, 99, 49, 4);
    std::vector<model::Animal*> fed;
    fed.push_back(&addAnimal(1, 0, 0, 98, 50, 70));
    for (int i = 0; i < 3; ++i)
        fed.push_back(&addAnimal(1, 0, 0, 50, 50, 70));
    std::vector<model::Animal*> crowded;
    for (int i = 0; i < 4; ++i)
        crowded.push_back(&addAnimal(4, 0, 0, 50, 50, 20));
    model::Animal& last = addAnimal(4, 0, 0, c.lastConstitution, 50, 20);

    stayPut(9);
    rating();
    quietMembers(4);
    quietMembers(5);
    expect(20, c.crowdDraw);
    if (c.secondChance >= 0) expect(25, c.secondChance);

    model::yearStep();

    EXPECT_EQ(fed[0]->constitution, 100); // 104 capped at the end of the step
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(fed[i]->constitution, 56);
    for (auto* a : crowded)
        EXPECT_EQ(a->constitution, 46);
    EXPECT_EQ(model::herdCount(), c.lastDies ? 8 : 9);
    EXPECT_EQ(model::deathsThisYear, c.lastDies ? 1 : 0);
    if (!c.lastDies) {
        EXPECT_EQ(last.constitution, c.lastConstitution - 4);
    }
    EXPECT_EQ(script.drawn.back(), c.secondChance >= 0 ? 25 : 20);
}

// Constitution 80 after food gives t = 60, out of reach of R(20); 10 gives t = 8 (7.5 to even).
INSTANTIATE_TEST_SUITE_P(WorkedExample, Crowding,
                         ::testing::Values(CrowdingCase{84, 20, 1, true},
                                           CrowdingCase{84, 20, 0, false},
                                           CrowdingCase{14, 8, -1, true},
                                           CrowdingCase{14, 7, 0, false}));

TEST_F(YearStep, FatherIsTheFirstBestMaleAndTheYoungFollowsItsMother) {
    model::Animal& mother = addAnimal(1, 0, 5, 60, 40, 40);
    model::Animal& m8 = addAnimal(1, 1, 7);
    m8.gene1 = m8.gene2 = 4;
    model::Animal& m12 = addAnimal(1, 1, 11);
    m12.gene1 = m12.gene2 = 2;
    addAnimal(1, 0, 11); // 12 years: a female present, but too old to bear
    addAnimal(1, 0, 1);  // 2 years: too young to count

    stayPut(5);
    rating();
    quietMembers(5);
    expect(2, 2); // the male of 8 scores 8 + 2 - 0 - 9 = 1 and becomes the father
    expect(2, 0);
    expect(2, 0); // the male of 12 scores 12 + 0 - 2 - 9 = 1: no better, the earlier stays
    expect(2, 2);
    expect(1, 1); // gene1 from the mother
    expect(1, 0); // gene2 from the father
    expect(1, 1); // a male
    expect(30, 20);
    expect(30, 5);
    expect(30, 0);
    expect(30, 30);
    expect(20, 7);

    model::yearStep();

    ASSERT_EQ(model::herdCount(), 6);
    EXPECT_EQ(model::birthsThisYear, 1);
    const model::Animal& young = *std::next(model::herdBegin());
    EXPECT_EQ(&*model::herdBegin(), &mother);
    EXPECT_EQ(young.gene1, 1);
    EXPECT_EQ(young.gene2, 4); // the chosen father's slot, not the other male's
    EXPECT_EQ(young.iconPicture, 9);
    EXPECT_EQ(young.sex, 1);
    EXPECT_EQ(young.x, 55);
    EXPECT_EQ(young.y, 10);
    EXPECT_EQ(young.age, 0);
    EXPECT_EQ(young.sizeClass, 1);
    EXPECT_EQ(young.area, 1);
    EXPECT_EQ(young.constitution, 60 + 5 + 7); // mother's constitution after food, plus R(20)
    EXPECT_EQ(young.illness, 0);
}

TEST_F(YearStep, AMaleOfSevenNeverFathers) {
    addAnimal(1, 0, 5);
    addAnimal(1, 1, 6);
    stayPut(2);
    rating();
    quietMembers(2);
    expect(2, 2); // the best a male of 7 can score is 0
    expect(2, 0);
    model::yearStep();
    EXPECT_EQ(model::birthsThisYear, 0);
    EXPECT_EQ(model::herdCount(), 2);
}

TEST_F(YearStep, ACrowdedOutMotherStillBearsAndBothMayDie) {
    makeAreasPicture(100, 100, 4);
    addAnimal(4, 1, 11);
    addAnimal(4, 0, 0);
    addAnimal(4, 0, 0);
    addAnimal(4, 0, 5, 10); // 8 after food: t = 6

    stayPut(4);
    rating();
    quietMembers(4);
    expect(10, 6); // R(P) with P = 10 reaches t: constitution 0
    expectNeutral(2, 2);
    expectNeutral(1, 3);
    expectNeutral(30, 4);
    expect(20, 0); // the young starts at 0 + 0

    model::yearStep();
    EXPECT_EQ(model::birthsThisYear, 1);
    EXPECT_EQ(model::deathsThisYear, 2);
    EXPECT_EQ(model::herdCount(), 3);
}

TEST_F(YearStep, ContagionAloneDoesNotLastAndDamageGrowsWithMatchingGenes) {
    model::Animal& healthy = addAnimal(1, 0, 9, 50);
    model::Animal& ill = addAnimal(1, 0, 10, 100);
    ill.gene1 = ill.gene2 = 4;
    ill.illness = 4;
    ill.illnessLevel = 20;

    stayPut(2);
    rating();
    expect(1, 1);     // contact: the ill one
    expect(100, 29);  // at least 58 / 2: the mask is taken over
    expect(100, 100); // no new illness
    expect(1, 0);     // contact: the first, healthy again: no contagion draw
    expect(100, 100);
    expect(10, 3);
    expect(10, 7);

    model::yearStep();
    EXPECT_EQ(healthy.illness, 0);
    EXPECT_EQ(healthy.illnessLevel, 0);
    EXPECT_EQ(healthy.constitution, 58);
    // Both genes match the illness, age 11: 2^2 * 20 = 80 damage from 108.
    EXPECT_EQ(ill.constitution, 28);
    EXPECT_EQ(ill.illness, 4);
    EXPECT_EQ(ill.illnessLevel, 16);
}

TEST_F(YearStep, NewIllnessBreaksOutAndHurtsAtOnce) {
    model::Animal& a = addAnimal(1, 0, 2, 90);
    a.gene1 = 4;
    a.gene2 = 1;
    stayPut(1);
    rating();
    expect(0, 0);   // contact: itself, healthy
    expect(100, 4); // an outbreak
    expect(2, 2);   // blue
    expect(20, 5);  // level 15
    expect(10, 10);
    expect(10, 0);
    model::yearStep();
    EXPECT_EQ(a.illness, 4);
    EXPECT_EQ(a.illnessLevel, 25);
    // One matching gene and age 3: 2^2 * 15 = 60 from 99.
    EXPECT_EQ(a.constitution, 39);
}

TEST(Susceptibility, GenesAndAge) {
    EXPECT_EQ(model::susceptibility(4, 4, 4, 10), 2);
    EXPECT_EQ(model::susceptibility(4, 1, 2, 10), 0);
    EXPECT_EQ(model::susceptibility(5, 1, 4, 10), 2);
    EXPECT_EQ(model::susceptibility(4, 4, 1, 3), 2);
    EXPECT_EQ(model::susceptibility(0, 1, 1, 0), 1);
    EXPECT_EQ(model::susceptibility(2, 2, 1, 15), 1);
    EXPECT_EQ(model::susceptibility(7, 4, 4, 23), 10);
}

} // namespace
