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

TEST(NewGame, FoundersInTableOrderWithAreasFromThePicture) {
    model::loadTables();
    makeAreasPicture(900, 640, 0);
    for (int s = 0; s < 15; ++s)
        paintArea(s * 60, 0, s * 60 + 59, 639, s + 1); // stripes
    paintArea(0, 0, 899, 150, 17);                     // no Area, but the founder keeps the value
    addAnimal(3, 0, 4);                                // whatever the herd held is discarded
    model::year = 57;
    model::yearRating = 2;
    model::setNewGameRedrawHook([] { ++redraws; });
    useScript();

    model::newGame();

    ASSERT_EQ(model::herdCount(), 19);
    EXPECT_EQ(model::year, 0);
    EXPECT_EQ(model::yearRating, 2); // a new game keeps the last rating
    EXPECT_EQ(redraws, 1);
    EXPECT_TRUE(script.drawn.empty());
    int i = 0, females = 0, young = 0;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it, ++i) {
        const model::Founder& f = model::founderTable[i];
        EXPECT_EQ(std::tie(it->x, it->y, it->age, it->sex), std::tie(f.x, f.y, f.age, f.sex));
        EXPECT_EQ(it->area, f.y <= 150 ? 17 : f.x / 60 + 1);
        EXPECT_EQ(it->constitution, 100);
        EXPECT_EQ(it->illness | it->illnessLevel, 0);
        EXPECT_EQ(it->iconPicture, model::iconForGenes(f.gene1, f.gene2));
        females += it->sex == 0;
        young += it->sizeClass == 1;
    }
    EXPECT_EQ(females, 12);
    EXPECT_EQ(young, 5);

    const auto first = herdCopy();
    model::newGame();
    const auto second = herdCopy();
    for (std::size_t k = 0; k < first.size(); ++k)
        EXPECT_EQ(0, std::memcmp(&first[k], &second[k], sizeof(model::Animal)));
    model::setNewGameRedrawHook(nullptr);
    model::setDrawOverride(nullptr);
}

TEST(NewGame, MissingAreasPictureGivesAreaZeroAndYearsOnlyCount) {
    ui::freePicture(model::AreasPicture);
    model::newGame();
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        EXPECT_EQ(it->area, 0);

    const auto before = herdCopy();
    model::yearRating = -2;
    model::birthsThisYear = 4;
    useScript();
    model::yearStep();
    model::yearStep();
    EXPECT_EQ(model::year, 2);
    EXPECT_EQ(model::yearRating, -2);
    EXPECT_EQ(model::birthsThisYear, 0);
    EXPECT_TRUE(script.drawn.empty());
    const auto after = herdCopy();
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(before[i].age, after[i].age);
    model::setDrawOverride(nullptr);
}

} // namespace
