// What every test may share: the Herd's rules between actions, hand-made Area maps, temporary
// folders and golden files. Links the model only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace support {

// The first rule of the Herd broken between the game's actions, or "" when all hold: genes,
// icon, size class, age, constitution and illness in range, and the basket's animal in the Herd.
std::string brokenInvariant();

// Gives the model an Area map of `width` x `height` with value `fill` everywhere; paintAreas
// changes an inclusive rectangle of it.
void makeAreas(int width, int height, std::int32_t fill);
void paintAreas(int x0, int y0, int x1, int y1, std::int32_t value);

// A fresh folder under the system temp folder, removed with its contents by the destructor.
struct TempFolder {
    std::filesystem::path path;
    TempFolder();
    ~TempFolder();
    // Writes `bytes` to the file `name` in the folder and returns its path.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
};

// Compares `text` with the committed file tests/golden/<name>. On a difference it writes `text`
// beside the build's copy and names the first differing line and column and the `diff -u` to
// run. With SELVO_UPDATE_GOLDEN=1 in the environment the file is written instead (review the
// change with git diff).
void expectGolden(const std::string& name, const std::string& text);

// The bytes of the file at `path`, as text or as data; empty when it cannot be read.
std::string fileBytes(const std::filesystem::path& path);
std::vector<std::uint8_t> fileData(const std::filesystem::path& path);

} // namespace support
