// Shared helpers for the model tests: scripted draws and a small synthetic areas picture.
#pragma once

#include "model/herd.h"

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace testing_model {

// Scripted draws: each entry is (expected n, value). A draw whose n differs from the next
// entry's is a failure (the draw order changed); once the script is used up, `neutral` answers.
struct Script {
    std::deque<std::pair<std::int32_t, std::int32_t>> entries;
    std::vector<std::int32_t> drawn; // every n asked for, in order
    int mismatches = 0;
};
extern Script script;

// A quiet default: zero offsets, no new illness, no death by age below 24, no crowding loss by
// the second chance, mothers' genes inherited, females born.
std::int32_t neutral(std::int32_t n);

// Installs the scripted draws and clears the script.
void useScript();
void expect(std::int32_t n, std::int32_t value);

// Puts a W x H areas picture under number 3 in which every pixel has value `fill`, and a
// working picture under 2; returns nothing. Pixels can be changed with paintArea.
void makeAreasPicture(int width, int height, std::int32_t fill);
void paintArea(int x0, int y0, int x1, int y1, std::int32_t value); // inclusive rectangle

// A fresh animal appended to the herd with sensible defaults.
model::Animal& addAnimal(std::int32_t area, std::int32_t sex, std::int32_t age,
                         std::int32_t constitution = 50, std::int32_t x = 50, std::int32_t y = 50);

std::vector<model::Animal> herdCopy();

} // namespace testing_model

namespace testing_model {
// `count` scripted draws of R(n), each answered as neutral(n) would.
void expectNeutral(std::int32_t n, int count);
} // namespace testing_model
