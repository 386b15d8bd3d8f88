// Starting a game and simulating one year.
#pragma once

#include <cstdint>

namespace model {

// Discards the herd, appends the 19 founders in table order (Area from the areas picture),
// sets `year` to 0 and calls the redraw hook.
void newGame();

// What a new game has redrawn once the herd is refilled: the window's redraw and status bar.
// nullptr (the default) draws nothing, as in tools and tests.
using RedrawHook = void (*)();
void setNewGameRedrawHook(RedrawHook hook);

// One simulated year on the Herd. Keeps picture 3 (the areas picture) open for drawing while
// it runs; without it only `year` advances.
void yearStep();

// Parts of the step, exposed for tests.
std::int32_t susceptibility(std::int32_t illness, std::int32_t gene1, std::int32_t gene2,
                            std::int32_t age);
std::int32_t inheritGene(std::int32_t a, std::int32_t b);

} // namespace model
