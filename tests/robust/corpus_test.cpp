// Replays the fuzzer's starting files and every input it ever found through the decoder and
// the draws, with the checks the fuzz target makes.
#include "model/savegame.h"
#include "tools/fuzz/exercise.h"
#include "tools/fuzz/savegame_exercise.h"
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

// The saved-game fuzzer's starting files and findings: "good-" ones are read, "bad-" ones
// refused, every one with the fuzz target's checks.
TEST(FuzzCorpus, SavedGamesAreReadOrRefusedSoundly) {
    ASSERT_TRUE(fuzz::useAreasPicture("Media/KarteGebiete.png"));
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SELVO_SAVEGAMES)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const fuzz::Bytes bytes(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(fuzz::exerciseSavedGame(bytes.data(), bytes.size()), "") << entry.path();
        model::SavedGame game;
        std::string error;
        const bool read = model::loadSavedGame(entry.path(), game, error);
        EXPECT_EQ(read, entry.path().filename().string().starts_with("good-"))
            << entry.path() << ": " << error;
        ++replayed;
    }
    EXPECT_GE(replayed, 4);
}

} // namespace
