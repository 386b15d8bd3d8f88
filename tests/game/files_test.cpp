// The game's command line, and a saved game written through to the file the player names, as an
// ordinary user meets it (the checks run as user 65534 when the test runs as root).
#include "app/command_line.h"
#include "tests/support/support.h"
#include "ui/save_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

TEST(CommandLine, ASeedAFileOrOneLineSayingWhatIsWrong) {
    const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
        {{"--seed", "4294967295", "--", "-a.selvo"}, "seed 4294967295 file -a.selvo"},
        {{"b.selvo", "--help", "c"}, "help"},
        {{"--seed"}, "--seed needs a whole number from 0 to 4294967295, not ''"},
        {{"--seed", "4294967296"},
         "--seed needs a whole number from 0 to 4294967295, not '4294967296'"},
        {{"--seed", "7x"}, "--seed needs a whole number from 0 to 4294967295, not '7x'"},
        {{"-x"}, "unknown option '-x' (see --help)"},
        {{"a", "b"}, "only one saved game can be opened, not also 'b'"},
    };
    for (const auto& [words, want] : cases) {
        std::vector<const char*> argv = {"selvo-mornik"};
        argv.insert(argv.end(), words.begin(), words.end());
        app::CommandLine line;
        std::string error;
        const bool ok = app::parseCommandLine(int(argv.size()), argv.data(), line, error);
        const std::string got = !ok ? error
                                : line.help
                                    ? "help"
                                    : "seed " + std::to_string(line.seed) + " file " + line.file;
        EXPECT_EQ(std::pair(got, ok && !line.help), std::pair(want, line.seedGiven));
    }
}

// In the user's folder: a new file gets the mode the umask gives, an existing one keeps its own,
// a link is followed, a FIFO is written directly. Refused, the old file left and no temporary
// file: a write-protected file, a folder, and another user's file in a sticky folder.
void writeAsTheUser(const fs::path& home, const fs::path& sticky) {
    std::string error;
    ::umask(027);
    EXPECT_TRUE(ui::writeFileThrough(home / "new.selvo", "a", error)) << error;
    EXPECT_EQ(fs::status(home / "new.selvo").permissions(), fs::perms(0640));
    std::ofstream(home / "target") << "old";
    fs::permissions(home / "target", fs::perms(0604));
    fs::create_symlink("target", home / "link");
    EXPECT_TRUE(ui::writeFileThrough(home / "link", "b", error)) << error;
    EXPECT_TRUE(fs::is_symlink(home / "link"));
    EXPECT_EQ(
        std::pair(support::fileBytes(home / "target"), fs::status(home / "target").permissions()),
        std::pair(std::string("b"), fs::perms(0604)));
    ASSERT_EQ(::mkfifo((home / "fifo").c_str(), 0600), 0);
    const int reader = ::open((home / "fifo").c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_TRUE(ui::writeFileThrough(home / "fifo", "c", error)) << error;
    char got = 0;
    EXPECT_EQ(std::pair(::read(reader, &got, 1), got), std::pair(ssize_t(1), 'c'));
    ::close(reader);
    std::ofstream(home / "locked") << "old";
    fs::permissions(home / "locked", fs::perms(0444));
    std::vector<fs::path> refused = {home / "locked", home}, folders = {home};
    if (!sticky.empty()) refused.push_back(sticky / "theirs"), folders.push_back(sticky);
    for (const fs::path& p : refused) {
        EXPECT_FALSE(ui::writeFileThrough(p, "d", error)) << p;
        EXPECT_NE(error.find(p.string()), std::string::npos) << error;
        EXPECT_EQ(p == home ? "old" : support::fileBytes(p), "old") << p;
    }
    for (const fs::path& f : folders)
        for (const auto& e : fs::directory_iterator(f))
            EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

// A FIFO read slowly, the writer interrupted by a handled signal once the pipe is full: the write
// comes back short and the rest follows, every byte once and in order.
TEST(SaveFile, AWriteCutShortByASignalGoesOn) {
    support::TempFolder folder;
    const fs::path fifo = folder.path / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct sigaction wake {
    }, before{};
    wake.sa_handler = [](int) {};
    ASSERT_EQ(::sigaction(SIGUSR2, &wake, &before), 0);
    std::string text(1 << 20, 0), got, error;
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = char(i * 7 / 3);
    std::thread reader([&, writer = ::pthread_self()] {
        const int fd = ::open(fifo.c_str(), O_RDONLY);
        std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the writer waits for room
        ::pthread_kill(writer, SIGUSR2);
        char buffer[4096];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
            got.append(buffer, std::size_t(n));
        ::close(fd);
    });
    EXPECT_TRUE(ui::writeFileThrough(fifo, text, error)) << error;
    reader.join();
    ::sigaction(SIGUSR2, &before, nullptr);
    EXPECT_TRUE(got == text) << got.size() << " bytes";
}

TEST(SaveFile, WrittenThroughOrRefusedAsTheUserMeetsIt) {
    support::TempFolder folder;
    const fs::path home = folder.path / "home", sticky = folder.path / "sticky";
    fs::create_directories(home);
    std::string error; // a full device: refused, not written to forever
    EXPECT_TRUE(!fs::exists("/dev/full") || !ui::writeFileThrough("/dev/full", "e", error));
    if (::geteuid() != 0) return writeAsTheUser(home, {});
    // root's rights would hide what an ordinary user meets: the checks run as user 65534.
    fs::create_directories(sticky);
    fs::permissions(sticky, fs::perms(01777));
    std::ofstream(sticky / "theirs") << "old";
    fs::permissions(sticky / "theirs", fs::perms(0666));
    ASSERT_EQ(::chown(home.c_str(), 65534, 65534), 0);
    fs::permissions(folder.path, fs::perms(0755));
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        writeAsTheUser(home, sticky);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0) << "the checks as user 65534 failed (see above)";
}

} // namespace
