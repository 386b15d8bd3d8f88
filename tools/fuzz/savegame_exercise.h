// What the saved-game fuzz target does with one input, shared with the test that replays its
// corpus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Gives the model the Area map of the areas picture at `path` (the committed one, so that the
// checksum of real saved games matches); false when it cannot be read.
bool useAreasPicture(const std::string& path);

// Reads `data` as a saved game. A refusal must name its line. An accepted file must be written
// back to a text that reads again to the same text, must come back unchanged from the model
// after restoring it, and must survive a yearly step. Returns "" when all of that held, else
// what did not; a memory fault shows up as a crash instead.
std::string exerciseSavedGame(const std::uint8_t* data, std::size_t size);

} // namespace fuzz
