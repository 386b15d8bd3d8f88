// The game started from folders with no media, each picture missing or cut to half, and odd
// areas pictures: no crash, and only what the missing picture carries is lost. Each start runs
// in a child process of its own, as the game's start-up takes the whole process.
#include "model/tables.h"
#include "tests/robust/media_scenario.h"
#include "tests/robust/media_set.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using media_scenario::Scenario;

// A scenario that hangs (a window nobody closes) ends with an alarm instead of the test run.
constexpr unsigned ChildSeconds = 300;

// Runs `body` in a child process and expects the child to finish with no failed check.
void inChild(const std::function<void()>& body) {
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        alarm(ChildSeconds);
        body();
        std::fflush(nullptr);
        std::exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFSIGNALED(status))
        ADD_FAILURE() << "the game died of signal " << WTERMSIG(status);
    else
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the game broke a rule (see the messages above)";
}

std::int32_t fullSetArea(std::int32_t x, std::int32_t y) {
    const bool inside = x >= 0 && y >= 0 && x < media_set::MapWidth && y < media_set::MapHeight;
    return inside ? media_set::areaOf(x, y) : -1;
}

// The picture numbers that `file` holds.
std::set<int> numbersOf(const std::string& file) {
    std::set<int> numbers;
    for (int n = 0; n < model::PictureCount; ++n)
        if (model::PictureFiles[n] == file) numbers.insert(n);
    return numbers;
}

Scenario withoutFile(const std::string& file) {
    const bool areas = file == model::PictureFiles[model::AreasPicture];
    return {numbersOf(file), areas ? [](std::int32_t, std::int32_t) { return 0; } : fullSetArea};
}

void playIn(const fixtures::TempFolder& folder, const Scenario& scenario) {
    inChild([&] { media_scenario::play(folder.path, scenario); });
}

TEST(MissingMedia, FullSetPlaysWithEveryPicture) {
    fixtures::TempFolder folder;
    media_set::writeAll(folder.path);
    playIn(folder, {{}, fullSetArea});
}

TEST(MissingMedia, NoMediaFolderAtAll) {
    fixtures::TempFolder folder;
    std::set<int> all;
    for (int n = 0; n < model::PictureCount; ++n)
        all.insert(n);
    playIn(folder, {all, [](std::int32_t, std::int32_t) { return 0; }});
}

TEST(MissingMedia, AreasPictureOfOnePixel) {
    fixtures::TempFolder folder;
    media_set::writeAll(folder.path);
    fixtures::PngImage areas{.width = 1, .height = 1, .colorType = PNG_COLOR_TYPE_RGB};
    areas.rows = {{5, 0, 0}}; // Area 5
    folder.write(model::PictureFiles[model::AreasPicture], fixtures::writePng(areas));
    playIn(folder, {{}, [](std::int32_t x, std::int32_t y) { return x == 0 && y == 0 ? 5 : -1; }});
}

TEST(MissingMedia, AreasPictureLargerThanTheMap) {
    fixtures::TempFolder folder;
    media_set::writeAll(folder.path);
    folder.write(model::PictureFiles[model::AreasPicture], media_set::areasPicture(1200, 900, 16));
    playIn(folder, {{}, [](std::int32_t x, std::int32_t y) {
                        if (x < 0 || y < 0 || x >= 1200 || y >= 900) return -1;
                        return x < media_set::MapWidth && y < media_set::MapHeight
                                   ? media_set::areaOf(x, y)
                                   : 16;
                    }});
}

class EachFile : public ::testing::TestWithParam<std::string> {};

TEST_P(EachFile, MissingLeavesItsPicturesEmpty) {
    fixtures::TempFolder folder;
    media_set::writeAll(folder.path);
    std::filesystem::remove(folder.path / GetParam());
    playIn(folder, withoutFile(GetParam()));
}

TEST_P(EachFile, CutToHalfLeavesItsPicturesEmpty) {
    fixtures::TempFolder folder;
    media_set::writeAll(folder.path);
    fixtures::Bytes half = media_set::files().at(GetParam());
    half.resize(half.size() / 2);
    folder.write(GetParam(), half);
    playIn(folder, withoutFile(GetParam()));
}

std::vector<std::string> mediaFiles() {
    std::vector<std::string> names;
    for (const auto& entry : media_set::files())
        names.push_back(entry.first);
    return names;
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name;
    for (char c : info.param.substr(info.param.find('/') + 1))
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    return name;
}

INSTANTIATE_TEST_SUITE_P(Media, EachFile, ::testing::ValuesIn(mediaFiles()), testName);

} // namespace
