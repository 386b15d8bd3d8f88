// What the tests share without opening a window: the Herd's rules between actions, one-colour
// pictures, pixel reads and golden files.
#pragma once

#include "ui/picture.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace support {

// The first rule of the Herd broken between the game's actions, or "" when all hold: genes,
// icon, size class, age, constitution and illness in range, and the basket's animal in the Herd.
std::string brokenInvariant();

// A picture of one colour (0x00BBGGRR) all over; a fourth channel gets `alpha`.
ui::Picture solid(int width, int height, int channels, std::int32_t colour, int alpha = 255);

// Puts an areas picture (number 3) of `width` x `height` with value `fill` everywhere, and a
// working picture (2) of the same size; paintAreas changes an inclusive rectangle of it.
void makeAreas(int width, int height, std::int32_t fill);
void paintAreas(int x0, int y0, int x1, int y1, std::int32_t value);

// Picture `number` at (x, y) as 0x00BBGGRR; -1 outside it or when the number holds none.
// Leaves no drawing open.
std::int32_t pixelOf(int number, int x, int y);

// A 64-bit FNV-1a hash of a picture's size, channels and pixels as 16 hex digits, or "none".
std::string pictureHash(int number);

// A fresh folder under the system temp folder, removed with its contents by the destructor.
struct TempFolder {
    std::filesystem::path path;
    TempFolder();
    ~TempFolder();
    // Writes `bytes` to the file `name` in the folder and returns its path.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
};

// Compares `text` with the committed file tests/golden/<name>. With SELVO_UPDATE_GOLDEN=1 in
// the environment the file is written instead (review the change with git diff).
void expectGolden(const std::string& name, const std::string& text);

} // namespace support
