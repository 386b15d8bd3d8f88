// The Herd: order, passes with removal, insertion, sorting, the current animal, removal hook.
#include "model/herd.h"
#include "model_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace testing_model;

std::vector<int> ages() {
    std::vector<int> v;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) v.push_back(it->age);
    return v;
}

void fill(int n) {
    model::herdClear();
    for (int i = 0; i < n; ++i) addAnimal(1, 0, i);
}

TEST(Herd, PassRemovingFirstMiddleAndLastVisitsEveryOtherOnce) {
    fill(5);
    std::vector<int> visited;
    for (auto it = model::herdBegin(); it != model::herdEnd();) {
        visited.push_back(it->age);
        if (it->age == 0 || it->age == 2 || it->age == 4) {
            it = model::herdRemove(it);
        } else {
            ++it;
        }
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(ages(), (std::vector<int>{1, 3}));
    EXPECT_EQ(model::herdCount(), 2);
}

TEST(Herd, InsertAfterFirstAndLast) {
    fill(3);
    model::herdInsertAfter(model::herdBegin()).age = 10;
    model::herdInsertAfter(std::prev(model::herdEnd())).age = 11;
    EXPECT_EQ(ages(), (std::vector<int>{0, 10, 1, 2, 11}));
    // New animals start with every field 0.
    const model::Animal& fresh = model::herdAppend();
    EXPECT_EQ(fresh.constitution, 0);
    EXPECT_EQ(fresh.gene1, 0);
}

TEST(Herd, ClearEmptiesAndAPassVisitsNothing) {
    fill(4);
    model::setHerdCurrent(&*model::herdBegin());
    model::herdClear();
    EXPECT_EQ(model::herdCount(), 0);
    EXPECT_TRUE(model::herdEmpty());
    EXPECT_EQ(model::herdBegin(), model::herdEnd());
    EXPECT_EQ(model::herdCurrent(), nullptr);
}

TEST(Herd, SortByAreaKeepsReferences) {
    model::herdClear();
    const int areas[] = {5, 2, 9, 2, 1, 16, 0};
    std::vector<model::Animal*> refs;
    for (int i = 0; i < 7; ++i) refs.push_back(&addAnimal(areas[i], 0, i));
    model::herdSortByArea();

    std::vector<int> sorted;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) sorted.push_back(it->area);
    EXPECT_EQ(sorted, (std::vector<int>{0, 1, 2, 2, 5, 9, 16}));
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(refs[i]->age, i);  // the same animal behind the same reference
        EXPECT_EQ(refs[i]->area, areas[i]);
        EXPECT_TRUE(model::herdContains(refs[i]));
    }
}

TEST(Herd, RemovalDropsTheAnimalAsCurrentAndFromTheBasket) {
    fill(3);
    model::Animal* second = &*std::next(model::herdBegin());
    model::setHerdCurrent(second);
    model::CarriedAnimal = second;

    EXPECT_TRUE(model::herdRemove(second));
    EXPECT_EQ(model::herdCurrent(), nullptr);
    EXPECT_EQ(model::CarriedAnimal, nullptr);
    EXPECT_FALSE(model::herdRemove(second));  // no longer there

    // Another animal in the basket is kept by a removal and dropped by a clear.
    model::CarriedAnimal = &*model::herdBegin();
    model::herdRemove(std::prev(model::herdEnd()));
    EXPECT_EQ(model::CarriedAnimal, &*model::herdBegin());
    model::herdClear();
    EXPECT_EQ(model::CarriedAnimal, nullptr);
}

TEST(AnimalRules, IconAndSizeClass) {
    EXPECT_EQ(model::iconForGenes(2, 4), 7);
    EXPECT_EQ(model::iconForGenes(4, 2), 7);
    EXPECT_EQ(model::iconForGenes(1, 1), 5);
    EXPECT_EQ(model::iconForGenes(1, 2), 8);
    EXPECT_EQ(model::iconForGenes(4, 1), 9);
    EXPECT_EQ(model::iconForGenes(2, 2), 6);
    EXPECT_EQ(model::iconForGenes(4, 4), 4);
    EXPECT_EQ(model::iconForGenes(0, 1), 0);
    EXPECT_EQ(model::iconForGenes(3, 3), 0);
    EXPECT_EQ(model::sizeClassForAge(5), 1);
    EXPECT_EQ(model::sizeClassForAge(6), 2);
    EXPECT_EQ(model::footprintHalf(1), 7);
    EXPECT_EQ(model::footprintHalf(2), 12);
}

}  // namespace
