// libFuzzer entry point: arbitrary bytes through the picture decoder and the two draws.
#include "tools/fuzz/exercise.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string problem = fuzz::exercisePicture(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "inconsistent picture: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
