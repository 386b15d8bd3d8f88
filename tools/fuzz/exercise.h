// What the picture fuzz target does with one input, shared with the test that replays the corpus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Decodes `data` with ui::decodePicture and, when that succeeds, checks the picture's shape and
// draws it plainly and by alpha at offsets that clip it on every side, onto a 3- and a 4-channel
// target held under picture number `scratch`, which it frees again. Returns an empty string when
// everything was consistent, else what was wrong; a memory fault shows up as a crash instead.
std::string exercisePicture(const std::uint8_t* data, std::size_t size, int scratch = 0);

} // namespace fuzz
