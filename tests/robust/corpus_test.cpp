// Replays the fuzzer's starting files and every input it ever found through the decoder and
// the draws, with the checks the fuzz target makes.
#include "tools/fuzz/exercise.h"
#include "tools/fuzz/seeds.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// The seeds must decode; every input must pass the fuzz target's checks.
TEST(FuzzCorpus, SeedsAndEveryRecordedFindingAreHandled) {
    for (const auto& [name, bytes] : fuzz::seedFiles()) {
        ui::Picture picture;
        EXPECT_TRUE(ui::decodePicture(bytes.data(), bytes.size(), picture)) << name;
        EXPECT_EQ(fuzz::exercisePicture(bytes.data(), bytes.size()), "") << name;
    }
    int replayed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(SELVO_CORPUS)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const fuzz::Bytes bytes(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(fuzz::exercisePicture(bytes.data(), bytes.size()), "") << entry.path();
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no inputs under " << SELVO_CORPUS;
}

} // namespace
