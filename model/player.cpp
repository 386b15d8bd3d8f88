// The player's interventions between years.
#include "model/player.h"

#include "model/areas.h"
#include "model/herd.h"

namespace model {

std::int32_t InterventionMode = Keeping;

void resetPlayer() {
    InterventionMode = Keeping;
    CarriedAnimal = nullptr;
}

Animal* hitTest(std::int32_t mx, std::int32_t my) {
    // In 64 bits: positions are unbounded (a young may be placed far off the map).
    const std::int64_t x = mx;
    const std::int64_t y = my;
    for (auto it = herdBegin(); it != herdEnd(); ++it) {
        const std::int64_t half = footprintHalf(it->sizeClass);
        if (it->x - half <= x && x <= it->x + half && it->y - half <= y && y <= it->y + half)
            return &*it;
    }
    return nullptr;
}

namespace {

bool release(std::int32_t mx, std::int32_t my) {
    if (!hasAreaMap()) return false;
    const std::int32_t v = areaValue(mx, my);
    if (isArea(v)) {
        Animal& a = *CarriedAnimal;
        if (a.area != v) ++carriedThisYear;
        a.x = mx;
        a.y = my;
        a.area = v;
        CarriedAnimal = nullptr;
    }
    return true;
}

} // namespace

bool leftClick(std::int32_t mx, std::int32_t my) {
    if (CarriedAnimal) return release(mx, my);
    Animal* hit = hitTest(mx, my);
    if (!hit) return false;
    if (InterventionMode == Rifle) {
        herdRemove(hit);
        ++shotThisYear;
        return true;
    }
    if (InterventionMode == Basket) {
        CarriedAnimal = hit;
        return true;
    }
    return false;
}

Animal* selectAnimalAt(std::int32_t mx, std::int32_t my) {
    Animal* hit = hitTest(mx, my);
    if (hit) setHerdCurrent(hit);
    return hit;
}

void setInterventionMode(Mode mode) {
    InterventionMode = mode;
    if (mode != Basket) CarriedAnimal = nullptr;
}

} // namespace model
