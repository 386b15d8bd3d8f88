// The working folder: any length, one separator at its end.
#include "app/startup.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkingFolder, EndsInOneSeparatorAndKeepsItsWholeLength) {
    EXPECT_EQ(app::folderWithSeparator("/"), "/");
    EXPECT_EQ(app::folderWithSeparator("/home/spiel"), "/home/spiel/");
    EXPECT_EQ(app::folderWithSeparator("/home/spiel/"), "/home/spiel/");
    // Pictures below a deep folder must still be found: no cut at some fixed length.
    const std::string deep = "/tmp/" + std::string(300, 'x');
    EXPECT_EQ(app::folderWithSeparator(deep), deep + "/");
}

} // namespace
