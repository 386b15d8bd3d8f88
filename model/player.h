// The player's interventions between years: the mode, finding the animal under a map point,
// shooting, taking up and releasing the carried animal. Plain rules on the Herd; the window only
// turns clicks into these calls and redraws when they say so.
#pragma once

#include "model/animal.h"

#include <cstdint>

namespace model {

enum Mode : std::int32_t { Keeping = 0, Rifle = 1, Basket = 2 };

// ---- Model state ----------------------------------------------------------------------------
// What a left click on an animal does. Set by the mode buttons; survives new games. (The animal
// in the basket, CarriedAnimal, is the Herd's: see herd.h.)
extern std::int32_t InterventionMode;

// Back to the start: Keeping, nothing carried.
void resetPlayer();

// The first animal in Herd order whose footprint contains the map point, or nullptr. The
// carried animal is found at its old position like any other.
Animal* hitTest(std::int32_t mx, std::int32_t my);

// A left click at the map point: with nothing carried, shoots (Rifle) or takes up (Basket) the
// animal hit; with an animal carried, releases it there if the point lies in an Area, else it
// stays carried. Counts the shot, and the release into another Area, in shotThisYear and
// carriedThisYear. Returns whether the map must be redrawn: false when nothing was hit, in Keeping
// mode, and when the areas picture is missing (no release is possible then).
bool leftClick(std::int32_t mx, std::int32_t my);

// A right click: the animal hit becomes the Herd's current animal and is returned; nullptr,
// changing nothing, when none is hit.
Animal* selectAnimalAt(std::int32_t mx, std::int32_t my);

// Sets the mode. Only the basket keeps what it carries; the other modes put it back where it
// was taken from.
void setInterventionMode(Mode mode);

} // namespace model
