// A new game: the founders, their Areas, repeatability, and the missing areas picture.
#include "model/game.h"
#include "model/random.h"
#include "model/tables.h"
#include "model_fixture.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace testing_model;

int redraws = 0;
void countRedraw() { ++redraws; }

// Areas in vertical stripes 60 pixels wide: Area = x / 60 + 1.
void stripedAreas() {
    makeAreasPicture(900, 640, 0);
    for (int s = 0; s < 15; ++s) paintArea(s * 60, 0, s * 60 + 59, 639, s + 1);
}

TEST(NewGame, FoundersInTableOrderWithAreasFromThePicture) {
    model::loadTables();
    stripedAreas();
    model::herdClear();
    addAnimal(3, 0, 4);  // whatever the herd held before is discarded
    model::year = 57;
    model::yearRating = 2;
    model::setNewGameRedrawHook(&countRedraw);
    redraws = 0;

    model::newGame();

    ASSERT_EQ(model::herdCount(), 19);
    EXPECT_EQ(model::year, 0);
    EXPECT_EQ(model::yearRating, 2);  // a new game keeps the last rating
    EXPECT_EQ(redraws, 1);
    int i = 0, females = 0, young = 0;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it, ++i) {
        const model::Founder& f = model::founderTable[i];
        EXPECT_EQ(it->x, f.x);
        EXPECT_EQ(it->y, f.y);
        EXPECT_EQ(it->age, f.age);
        EXPECT_EQ(it->area, f.x / 60 + 1);
        EXPECT_EQ(it->constitution, 100);
        EXPECT_EQ(it->illness, 0);
        EXPECT_EQ(it->illnessLevel, 0);
        EXPECT_EQ(it->iconPicture, model::iconForGenes(f.gene1, f.gene2));
        females += it->sex == 0;
        young += it->sizeClass == 1;
    }
    EXPECT_EQ(females, 12);
    EXPECT_EQ(young, 5);
    // Founder 8 (age 1) and 11 (age 2) are young, founder 2 (age 12) grown.
    EXPECT_EQ(std::next(model::herdBegin(), 7)->sizeClass, 1);
    EXPECT_EQ(std::next(model::herdBegin(), 10)->sizeClass, 1);
    EXPECT_EQ(std::next(model::herdBegin(), 1)->sizeClass, 2);
    model::setNewGameRedrawHook(nullptr);
}

TEST(NewGame, TwoGamesAreIdenticalAndDrawNothing) {
    stripedAreas();
    useScript();
    model::newGame();
    const auto first = herdCopy();
    model::newGame();
    const auto second = herdCopy();
    EXPECT_TRUE(script.drawn.empty());
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(0, std::memcmp(&first[i], &second[i], sizeof(model::Animal)));
    model::setDrawOverride(nullptr);
}

TEST(NewGame, FoundersOnNoAreaKeepThePixelValue) {
    makeAreasPicture(900, 640, 0);
    paintArea(0, 0, 899, 300, 17);  // red 17 is no Area, but it is what the founder gets
    model::newGame();
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        EXPECT_EQ(it->area, it->y <= 300 ? 17 : 0);
}

TEST(NewGame, MissingAreasPictureGivesAreaZeroAndYearsOnlyCount) {
    ui::freePicture(model::AreasPicture);
    model::newGame();
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) EXPECT_EQ(it->area, 0);

    const auto before = herdCopy();
    model::yearRating = -2;
    model::birthsThisYear = 4;
    useScript();
    model::yearStep();
    model::yearStep();
    EXPECT_EQ(model::year, 2);
    EXPECT_EQ(model::yearRating, -2);
    EXPECT_EQ(model::birthsThisYear, 0);
    EXPECT_EQ(model::deathsThisYear, 0);
    EXPECT_TRUE(script.drawn.empty());
    const auto after = herdCopy();
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i].age, after[i].age);
    model::setDrawOverride(nullptr);
}

}  // namespace
