// The Herd and the model state kept between yearly steps.
#include "model/herd.h"

#include <algorithm>

namespace model {

std::int32_t year = 0;
std::int32_t yearRating = 0;
std::int32_t birthsThisYear = 0;
std::int32_t deathsThisYear = 0;
std::int32_t oldAgeDeathsThisYear = 0;
std::int32_t weaknessDeathsThisYear = 0;
std::int32_t shotThisYear = 0;
std::int32_t carriedThisYear = 0;
Animal* CarriedAnimal = nullptr;

namespace {

// std::list keeps every animal at a fixed address for its whole life, through inserts,
// removals and sorting, which is what references held elsewhere rely on.
AnimalList animals;
Animal* current = nullptr;

void beforeDestroy(const Animal& a) {
    if (current == &a) current = nullptr;
    if (CarriedAnimal == &a) CarriedAnimal = nullptr;
}

} // namespace

HerdIter herdBegin() {
    return animals.begin();
}
HerdIter herdEnd() {
    return animals.end();
}
std::int32_t herdCount() {
    return static_cast<std::int32_t>(animals.size());
}
bool herdEmpty() {
    return animals.empty();
}

void herdClear() {
    for (const Animal& a : animals)
        beforeDestroy(a);
    animals.clear();
}

void resetHerd() {
    herdClear();
    year = yearRating = birthsThisYear = deathsThisYear = 0;
    oldAgeDeathsThisYear = weaknessDeathsThisYear = shotThisYear = carriedThisYear = 0;
}

Animal& herdAppend() {
    return animals.emplace_back();
}

Animal& herdInsertAfter(HerdIter mother) {
    return *animals.emplace(std::next(mother));
}

HerdIter herdRemove(HerdIter it) {
    beforeDestroy(*it);
    return animals.erase(it);
}

bool herdRemove(const Animal* a) {
    for (auto it = animals.begin(); it != animals.end(); ++it) {
        if (&*it == a) {
            herdRemove(it);
            return true;
        }
    }
    return false;
}

bool herdContains(const Animal* a) {
    return std::any_of(animals.begin(), animals.end(), [&](const Animal& b) { return &b == a; });
}

void herdSortByArea() {
    animals.sort([](const Animal& a, const Animal& b) { return a.area < b.area; });
}

Animal* herdCurrent() {
    return current;
}
void setHerdCurrent(Animal* a) {
    current = a;
}

} // namespace model
