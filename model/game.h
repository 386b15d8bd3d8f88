// Starting a game, simulating one year, and resetting the model.
#pragma once

#include <cstdint>

namespace model {

// Discards the herd, appends the 19 founders in table order (Area from the Area map), sets
// `year` to 0 and the counts of shot and carried animals to 0. Last year's rating, births and
// deaths stay, as the status bar shows them.
void newGame();

// One simulated year on the Herd; without an Area map only `year` advances.
void yearStep();

// Every piece of model state back to the start: no animal, year, rating and counts 0, Keeping
// mode, nothing carried, no current animal, the random generator never seeded. The Area map,
// set once at start-up, stays.
void resetModel();

// Parts of the step, exposed for tests.
std::int32_t susceptibility(std::int32_t illness, std::int32_t gene1, std::int32_t gene2,
                            std::int32_t age);
std::int32_t inheritGene(std::int32_t a, std::int32_t b);

} // namespace model
