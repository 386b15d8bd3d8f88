// The game's command line.
#include "app/command_line.h"

#include <charconv>
#include <string_view>

namespace app {

bool parseCommandLine(int argc, const char* const* argv, CommandLine& line, std::string& error) {
    line = CommandLine{};
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsEnd && (arg == "--help" || arg == "-h")) {
            line.help = true;
            return true;
        }
        if (!optionsEnd && arg == "--seed") {
            const std::string_view value = i + 1 < argc ? argv[++i] : "";
            std::uint32_t seed = 0;
            const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seed);
            if (value.empty() || ec != std::errc() || end != value.data() + value.size()) {
                error = "--seed needs a whole number from 0 to 4294967295, not '" +
                        std::string(value) + "'";
                return false;
            }
            line.seed = seed;
            line.seedGiven = true;
            continue;
        }
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
            continue;
        }
        if (!optionsEnd && arg.starts_with("-") && arg.size() > 1) {
            error = "unknown option '" + std::string(arg) + "' (see --help)";
            return false;
        }
        if (!line.file.empty()) {
            error = "only one saved game can be opened, not also '" + std::string(arg) + "'";
            return false;
        }
        line.file = arg;
    }
    return true;
}

const char* usageText() {
    return "Usage: selvo-mornik [--seed N] [FILE]\n"
           "\n"
           "Starts the game: look after a herd of wild mountain animals.\n"
           "\n"
           "  --seed N   seed the random generator with N (0 to 4294967295), so that the same\n"
           "             choices play the same years on every computer; with FILE it replaces\n"
           "             the random state saved in the file\n"
           "  FILE       open the saved game FILE (a .selvo file) instead of a new game\n"
           "  --help     show this text\n"
           "\n"
           "Exit status: 0, or 2 for bad arguments or a saved game that cannot be opened.\n";
}

} // namespace app
