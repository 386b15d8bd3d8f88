// libFuzzer entry point: arbitrary bytes through the saved-game reader, on the committed areas
// picture (run from the project's folder).
#include "tools/fuzz/savegame_exercise.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!fuzz::useAreasPicture("Media/KarteGebiete.png")) {
        std::fprintf(stderr, "run from the project's folder: Media/KarteGebiete.png not found\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string problem = fuzz::exerciseSavedGame(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "inconsistent saved game: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
