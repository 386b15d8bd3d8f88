// The game's command line: selvo-mornik [--seed N] [FILE].
#pragma once

#include <cstdint>
#include <string>

namespace app {

struct CommandLine {
    bool help = false;
    bool seedGiven = false;
    std::uint32_t seed = 0; // --seed N: the random generator's seed at start
    std::string file;       // a saved game to open at start; empty: a new game
};

// Reads argv[1 .. argc-1]. False with a one-line message (no newline) in `error` for an unknown
// option, a missing or bad number, or a second file. --help stops reading and succeeds.
bool parseCommandLine(int argc, const char* const* argv, CommandLine& line, std::string& error);

// The --help text, ending in a newline.
const char* usageText();

} // namespace app
