// Ten thousand years on the real areas picture: no crash, every invariant between steps holds.
#include "model/areas.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/tables.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void expectInvariants(int year) {
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        const model::Animal& a = *it;
        ASSERT_GE(a.constitution, 1) << "year " << year;
        ASSERT_LE(a.constitution, 100) << "year " << year;
        if (a.illnessLevel == 0) {
            ASSERT_EQ(a.illness, 0) << "year " << year;
        }
        ASSERT_GE(a.illnessLevel, 0);
        ASSERT_EQ(a.iconPicture, model::iconForGenes(a.gene1, a.gene2));
        ASSERT_EQ(a.sizeClass, model::sizeClassForAge(a.age));
        ASSERT_LE(a.age, 23);
    }
}

TEST(LongRun, TenThousandYearsKeepEveryInvariant) {
    model::setDrawOverride(nullptr);
    model::loadTables();
    ASSERT_TRUE(ui::loadPicture(model::AreasPicture, model::PictureFiles[model::AreasPicture]));
    model::seedRandom(4242);
    model::newGame();
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        EXPECT_TRUE(model::isArea(it->area)) << "founder at " << it->x << "," << it->y;

    int games = 1, maxHerd = 0, births = 0;
    for (int y = 0; y < 10000; ++y) {
        model::yearStep();
        births += model::birthsThisYear;
        maxHerd = std::max(maxHerd, model::herdCount());
        expectInvariants(y);
        if (::testing::Test::HasFatalFailure()) return;
        if (model::herdEmpty()) {
            model::newGame();
            ++games;
        }
    }
    EXPECT_GT(births, 0);
    // The Areas carry 148 animals; crowding keeps any herd within a few times that.
    EXPECT_LT(maxHerd, 1000);
    RecordProperty("games", games);
    RecordProperty("largestHerd", maxHerd);
}

} // namespace
