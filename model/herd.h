// The Herd: the ordered list that owns every living animal, and the model state kept from
// year to year. References (Animal*) stay valid until that animal is removed, whatever is
// inserted, removed or reordered elsewhere.
#pragma once

#include "model/animal.h"

#include <cstdint>
#include <list>

namespace model {

using AnimalList = std::list<Animal>;
using HerdIter = AnimalList::iterator;

// ---- Model state (written by newGame and yearStep) -----------------------------------------
extern std::int32_t year;           // 0 after a new game, +1 at the start of each yearly step
extern std::int32_t yearRating;     // -3..+3, drawn in each yearly step
extern std::int32_t birthsThisYear; // young born in the last yearly step
extern std::int32_t deathsThisYear; // deaths by age or by constitution in the last step
// deathsThisYear by cause: old age (the draw at 18 and over), and weakness (a constitution
// used up by hunger, crowding or illness). Counted only; they always add up to deathsThisYear.
extern std::int32_t oldAgeDeathsThisYear;
extern std::int32_t weaknessDeathsThisYear;
// The player's interventions since the last yearly step (or the new game): animals shot, and
// animals carried into another Area than the one they were taken from.
extern std::int32_t shotThisYear;
extern std::int32_t carriedThisYear;

// ---- The Herd ------------------------------------------------------------------------------
// Read it front to back with herdBegin()/herdEnd(); change it only through the calls below, so
// that the current animal and the removal hook stay right.

HerdIter herdBegin();
HerdIter herdEnd();
std::int32_t herdCount();
bool herdEmpty();

// Removes and destroys every animal.
void herdClear();
// Back to the start: no animal, and year, rating and every count 0.
void resetHerd();
// A new animal, all fields 0, at the end / directly after `mother`.
Animal& herdAppend();
Animal& herdInsertAfter(HerdIter mother);
// Removes and destroys `it`'s animal; returns the iterator of the animal that followed it, so
// that a pass can go on: `it = herdRemove(it)`.
HerdIter herdRemove(HerdIter it);
// Removes the animal `a` refers to (a linear search); false if it is not in the Herd.
bool herdRemove(const Animal* a);
// Whether `a` is the address of an animal in the Herd (a linear search).
bool herdContains(const Animal* a);

// Reorders ascending by `area`; references stay attached to their animals.
void herdSortByArea();

// The current animal, or nullptr. Cleared when that animal is removed.
Animal* herdCurrent();
void setHerdCurrent(Animal* a);

// The animal carried in the basket, or nullptr. Set by the player's take-up and release; it
// stays in the Herd while carried. The Herd drops it when that animal is removed or cleared,
// so it never refers to an animal that has left the Herd.
extern Animal* CarriedAnimal;

} // namespace model
