// The Herd: order through passes with removal, insertion and sorting; the basket's reference.
#include "model/herd.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace testing_model;

std::vector<int> ages() {
    std::vector<int> v;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        v.push_back(it->age);
    return v;
}

void fill(std::vector<int> areas) {
    model::herdClear();
    for (std::size_t i = 0; i < areas.size(); ++i)
        addAnimal(areas[i], 0, int(i));
}

TEST(Herd, PassesRemoveAndInsertInPlace) {
    fill({1, 1, 1, 1, 1});
    std::vector<int> visited;
    for (auto it = model::herdBegin(); it != model::herdEnd();) {
        visited.push_back(it->age);
        it = it->age % 2 == 0 ? model::herdRemove(it) : std::next(it); // first, middle, last
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(ages(), (std::vector<int>{1, 3}));

    model::herdInsertAfter(model::herdBegin()).age = 10;
    model::herdInsertAfter(std::prev(model::herdEnd())).age = 11;
    EXPECT_EQ(ages(), (std::vector<int>{1, 10, 3, 11}));
    EXPECT_EQ(model::herdAppend().constitution, 0); // new animals start all 0

    model::herdClear();
    EXPECT_EQ(model::herdCount(), 0);
    EXPECT_EQ(model::herdBegin(), model::herdEnd());
}

TEST(Herd, SortByAreaKeepsReferences) {
    const std::vector<int> areas = {5, 2, 9, 2, 1, 16, 0};
    fill(areas);
    std::vector<model::Animal*> refs;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        refs.push_back(&*it);
    model::CarriedAnimal = refs[2];
    model::herdSortByArea();

    std::vector<int> sorted;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        sorted.push_back(it->area);
    EXPECT_EQ(sorted, (std::vector<int>{0, 1, 2, 2, 5, 9, 16}));
    for (std::size_t i = 0; i < refs.size(); ++i)
        EXPECT_EQ(refs[i]->age, int(i));
    EXPECT_EQ(model::CarriedAnimal->area, 9);
}

TEST(Herd, RemovalDropsTheAnimalAsCurrentAndFromTheBasket) {
    fill({1, 1, 1});
    model::Animal* second = &*std::next(model::herdBegin());
    model::setHerdCurrent(second);
    model::CarriedAnimal = second;
    EXPECT_TRUE(model::herdRemove(second));
    EXPECT_EQ(model::herdCurrent(), nullptr);
    EXPECT_EQ(model::CarriedAnimal, nullptr);
    EXPECT_FALSE(model::herdRemove(second));

    // Another animal in the basket is kept by a removal and dropped by a clear.
    model::CarriedAnimal = &*model::herdBegin();
    model::herdRemove(std::prev(model::herdEnd()));
    EXPECT_EQ(model::CarriedAnimal, &*model::herdBegin());
    model::herdClear();
    EXPECT_EQ(model::CarriedAnimal, nullptr);
}

TEST(AnimalRules, IconAndSizeClass) {
    const int icons[5][5] = {// row gene1 0..4, column gene2 0..4
                             {0, 0, 0, 0, 0},
                             {0, 5, 8, 0, 9},
                             {0, 8, 6, 0, 7},
                             {0, 0, 0, 0, 0},
                             {0, 9, 7, 0, 4}};
    for (int a = 0; a < 5; ++a)
        for (int b = 0; b < 5; ++b)
            EXPECT_EQ(model::iconForGenes(a, b), icons[a][b]) << a << b;
    EXPECT_EQ(model::sizeClassForAge(5), 1);
    EXPECT_EQ(model::sizeClassForAge(6), 2);
}

} // namespace
