// A saved game: the whole state the game's next years depend on, as one plain value, and its
// text file (".selvo", described in docs/savegame.md). Reading checks every field, so that a
// damaged or hostile file is refused with one message and never half-loaded.
#pragma once

#include "model/animal.h"
#include "model/areas.h"
#include "model/figures.h"
#include "model/random.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace model {

constexpr int SaveFormatVersion = 1;
constexpr std::int32_t MaxSavedAnimals = 100'000;
constexpr std::int32_t MaxSavedHistoryPoints = 1023;
// Larger files are refused before they are read: 100,000 animals and a full history take less
// than a third of it.
constexpr std::uintmax_t MaxSaveFileBytes = 32u << 20;

struct SavedGame {
    std::uint64_t areasChecksum = 0; // areaMapChecksum of the map it was made on
    std::int32_t year = 0;
    std::int32_t yearRating = 0;
    std::int32_t births = 0;
    std::int32_t deaths = 0;
    std::int32_t oldAgeDeaths = 0;
    std::int32_t weaknessDeaths = 0;
    std::int32_t shot = 0;
    std::int32_t carried = 0;
    std::int32_t mode = 0;          // InterventionMode
    std::int32_t carriedIndex = -1; // the basket's animal by herd order, -1 for none
    RandomState random;
    std::vector<Animal> animals; // herd order
    std::int32_t historyStride = 1;
    std::vector<YearFigures> history; // oldest first, the last one of `year`
};

// A 64-bit FNV-1a hash of the map's width, height and values (each as 4 bytes, little end
// first): it names the map a saved game was made on.
std::uint64_t areaMapChecksum(const AreaMap& map);

// The model's state now, with the given history (kept by the window's side) and the current
// Area map's checksum.
SavedGame captureGame(const std::vector<YearFigures>& history, std::int32_t historyStride);

// Makes `game` the model's state: herd, counts, mode, basket and random generator. The current
// animal is none. `game` must have been read by readSavedGame (or captured).
void restoreGame(const SavedGame& game);

// The file's text, UTF-8, lines ended by "\n".
std::string writeSavedGame(const SavedGame& game);

// Reads and checks the whole text, including that it was made on the current Area map. On
// failure returns false with one German message naming the line ("Zeile 7: ...") in `error`;
// `game` is then unspecified and nothing of the model has changed.
bool readSavedGame(std::string_view text, SavedGame& game, std::string& error);

// readSavedGame on the file at `path`, refusing one larger than MaxSaveFileBytes before reading
// it and one that cannot be read, with a German message.
bool loadSavedGame(const std::string& path, SavedGame& game, std::string& error);

} // namespace model
