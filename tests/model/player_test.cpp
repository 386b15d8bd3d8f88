// The player's interventions between years, the Herd's references, and the display rules.
#include "app/numbers.h"
#include "model/areas.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/player.h"
#include "model/random.h"
#include "tests/support/support.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace model;

Animal& animal(int x, int y, int sizeClass, int area = 1) {
    Animal& a = herdAppend();
    std::tie(a.x, a.y, a.sizeClass, a.area) = std::tie(x, y, sizeClass, area);
    return a;
}

// Area 3 everywhere, but no Area at x 60..69, value 17 (no Area) and 16 along the bottom.
class Player : public ::testing::Test {
  protected:
    void SetUp() override {
        resetHerd();
        resetPlayer();
        support::makeAreas(100, 100, 3);
        support::paintAreas(60, 0, 69, 99, 0);
        support::paintAreas(0, 90, 9, 99, 17);
        support::paintAreas(10, 90, 19, 99, 16);
    }
};

// A grown animal covers 12 pixels on every side of its position, a young one 7; the first in
// Herd order wins where footprints overlap.
TEST_F(Player, HitTestCoversTheFootprintExactly) {
    const Animal* grown = &animal(30, 30, 2);
    const Animal* young = &animal(70, 30, 1);
    const std::tuple<int, int, const Animal*> probes[] = {
        {18, 30, grown},   {42, 30, grown},   {30, 18, grown},
        {30, 42, grown},   {17, 30, nullptr}, {43, 30, nullptr},
        {30, 17, nullptr}, {30, 43, nullptr}, {63, 23, young},
        {77, 37, young},   {62, 30, nullptr}, {78, 30, nullptr},
        {70, 22, nullptr}, {70, 38, nullptr}, {INT_MIN, INT_MAX, nullptr}};
    for (auto [x, y, hit] : probes)
        EXPECT_EQ(hitTest(x, y), hit) << x << "," << y;
    const Animal* later = &animal(40, 30, 2);
    EXPECT_EQ(hitTest(42, 30), grown);
    EXPECT_EQ(hitTest(43, 30), later);
}

// Mode, whether the click is on an animal: animals left, the one carried, redraw.
TEST_F(Player, LeftClickShootsTakesUpOrLeavesAlone) {
    const std::tuple<Mode, bool, int, bool, bool> clicks[] = {{Keeping, true, 2, false, false},
                                                              {Rifle, false, 2, false, false},
                                                              {Rifle, true, 1, false, true},
                                                              {Basket, false, 2, false, false},
                                                              {Basket, true, 2, true, true}};
    for (auto [mode, onAnimal, left, carried, redraw] : clicks) {
        SetUp();
        Animal* a = &animal(30, 30, 2);
        animal(80, 80, 2);
        setInterventionMode(mode);
        EXPECT_EQ(leftClick(onAnimal ? 41 : 50, 19), redraw) << mode << onAnimal;
        EXPECT_EQ(herdCount(), left) << mode << onAnimal;
        EXPECT_EQ(herdBegin()->x, left == 2 ? 30 : 80);
        EXPECT_EQ(CarriedAnimal, carried ? a : nullptr) << mode << onAnimal;
        EXPECT_EQ(std::tuple(shotThisYear, carriedThisYear), std::tuple(2 - left, 0));
    }
}

TEST_F(Player, TheCarriedAnimalIsFoundWhereItWasAndReleasedOnlyOntoAnArea) {
    Animal& a = animal(30, 30, 2);
    setInterventionMode(Basket);
    ASSERT_TRUE(leftClick(30, 30));
    EXPECT_EQ(hitTest(30, 30), &a);
    EXPECT_EQ(selectAnimalAt(35, 35), &a);
    EXPECT_EQ(herdCurrent(), &a);
    setHerdCurrent(nullptr);
    EXPECT_FALSE(selectAnimalAt(50, 50) || herdCurrent());

    for (auto [x, y] : {std::pair{65, 50}, {5, 95}, {-1, 50}, {100, 50}, {50, 100}, {INT_MIN, 3}}) {
        EXPECT_TRUE(leftClick(x, y)) << x << "," << y;
        EXPECT_EQ(CarriedAnimal, &a) << x << "," << y;
    }
    EXPECT_EQ(std::tuple(a.x, a.y, a.area), std::tuple(30, 30, 1));
    AreaMap areas = areaMap();
    setAreaMap({});
    EXPECT_FALSE(leftClick(90, 10)) << "no Area map, no release";
    EXPECT_EQ(CarriedAnimal, &a);
    setAreaMap(std::move(areas));
    EXPECT_TRUE(leftClick(15, 95));
    EXPECT_EQ(CarriedAnimal, nullptr);
    EXPECT_EQ(std::tuple(a.x, a.y, a.area), std::tuple(15, 95, 16));
    // Only a move into another Area counts as carried.
    EXPECT_EQ(carriedThisYear, 1);
    leftClick(15, 95);
    leftClick(12, 92);
    EXPECT_EQ(std::tuple(a.x, a.area, carriedThisYear), std::tuple(12, 16, 1));
}

TEST_F(Player, OnlyTheBasketKeepsWhatItCarries) {
    for (Mode next : {Basket, Rifle, Keeping}) {
        SetUp();
        Animal& a = animal(30, 30, 2);
        setInterventionMode(Basket);
        leftClick(30, 30);
        setInterventionMode(next);
        EXPECT_EQ(InterventionMode, next);
        EXPECT_EQ(CarriedAnimal, next == Basket ? &a : nullptr) << next;
        EXPECT_EQ(std::tuple(a.x, a.y, herdCount()), std::tuple(30, 30, 1));
    }
    resetPlayer();
    EXPECT_EQ(std::tuple(InterventionMode, CarriedAnimal), std::tuple(Keeping, nullptr));
}

TEST(Herd, RemovalDropsTheAnimalAsCurrentAndFromTheBasket) {
    herdClear();
    Animal* first = &animal(1, 0, 2);
    Animal* second = &animal(2, 0, 2);
    animal(3, 0, 2);
    setHerdCurrent(second);
    CarriedAnimal = second;
    EXPECT_TRUE(herdRemove(second));
    EXPECT_EQ(std::tuple(herdCurrent(), CarriedAnimal), std::tuple(nullptr, nullptr));
    EXPECT_FALSE(herdRemove(second) || herdContains(second));
    EXPECT_TRUE(herdContains(first));
    // Another animal's removal keeps both; a clear drops them.
    setHerdCurrent(first);
    CarriedAnimal = first;
    herdRemove(std::prev(herdEnd()));
    EXPECT_EQ(std::tuple(herdCurrent(), CarriedAnimal, herdCount()), std::tuple(first, first, 1));
    herdClear();
    EXPECT_EQ(std::tuple(herdCurrent(), CarriedAnimal), std::tuple(nullptr, nullptr));
}

// One call puts every piece of the model's state back to the start; the Area map stays.
TEST(Model, ResetLeavesNothingOfAGame) {
    support::makeAreas(10, 10, 4);
    Animal* a = &animal(1, 1, 2);
    setHerdCurrent(a);
    setInterventionMode(Basket);
    CarriedAnimal = a;
    year = yearRating = birthsThisYear = deathsThisYear = 3;
    seedRandom(1);
    resetModel();
    EXPECT_EQ(std::tuple(herdCount(), herdCurrent(), CarriedAnimal, InterventionMode),
              std::tuple(0, nullptr, nullptr, Keeping));
    EXPECT_EQ(std::tuple(year, yearRating, birthsThisYear, deathsThisYear), std::tuple(0, 0, 0, 0));
    EXPECT_EQ(std::pair(randomState(), areaAt(5, 5)), std::pair(RandomState{}, 4));
    // The smallest map there is still holds an Area.
    support::makeAreas(1, 1, 7);
    EXPECT_EQ(std::tuple(areaAt(0, 0), areaAt(1, 0)), std::tuple(7, -1));
}

// An icon shows the colours of its two genes mixed as paints mix; the colour is read from the
// icon's file name.
TEST(AnimalRules, IconOfEveryGenePairAndSizeClass) {
    const std::map<int, std::string> gene = {{1, "rot"}, {2, "gelb"}, {4, "blau"}};
    const std::map<std::set<std::string>, std::string> mixed = {
        {{"rot", "gelb"}, "orange"}, {{"gelb", "blau"}, "gruen"}, {{"rot", "blau"}, "violett"}};
    for (int a = 0; a < 9; ++a)
        for (int b = 0; b < 9; ++b) {
            const int icon = iconForGenes(a, b);
            if (!gene.contains(a) || !gene.contains(b)) {
                EXPECT_EQ(icon, 0) << a << b;
                continue;
            }
            const std::string colour = a == b ? gene.at(a) : mixed.at({gene.at(a), gene.at(b)});
            ASSERT_GE(icon, map::FirstBigIcon) << a << b;
            ASSERT_LT(icon, map::FirstBigIcon + map::SmallIconOffset) << a << b;
            EXPECT_EQ(app::PictureFiles[std::size_t(icon)], "Media/Selvo " + colour + ".png")
                << a << b;
        }
    EXPECT_EQ(std::tuple(sizeClassForAge(0), sizeClassForAge(5), sizeClassForAge(6)),
              std::tuple(1, 1, 2));
}

} // namespace
