// The selvo-sim executable as a user meets it: exit status, messages and the --out file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string slurp(const fs::path& p) {
    std::ostringstream text;
    text << std::ifstream(p, std::ios::binary).rdbuf();
    return text.str();
}

struct Result {
    int status;
    std::string out, err;
};

class SimCli : public ::testing::Test {
  protected:
    const fs::path dir = fs::temp_directory_path() /
                         ("sim_cli_" + std::to_string(::getpid()) + "_" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { fs::create_directories(dir / "out"); }
    void TearDown() override { fs::remove_all(dir); }

    // selvo-sim run with `args`, its two streams caught in files of the scratch folder.
    Result run(const std::vector<std::string>& args) const {
        std::string command = quoted(SELVO_SIM_EXE);
        for (const std::string& a : args)
            command.append(" ").append(quoted(a)); // `" " + string` trips g++ 12's -Wrestrict
        command += " >" + quoted(dir / "stdout") + " 2>" + quoted(dir / "stderr");
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir / "stdout"),
                slurp(dir / "stderr")};
    }

    // What is in the folder the --out files go to.
    std::vector<std::string> outFolder() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir / "out"))
            names.push_back(e.path().filename());
        return names;
    }
};

// Each way of refusing (a bad option, the areas picture missing or damaged, an --out folder
// that does not exist) exits 2 with one line naming the problem, and leaves an earlier --out
// file as it was, with no temporary file beside it.
TEST_F(SimCli, BadInputExitsTwoAndLeavesTheOutFileAlone) {
    const fs::path damaged = dir / "media" / "KarteGebiete.png";
    fs::create_directories(dir / "media");
    std::ofstream(damaged) << "\x89PNG\r\n\x1a\n not really";
    const std::string old = (dir / "out" / "old.csv").string();
    const struct {
        std::vector<std::string> args;
        std::string fragment;
    } cases[] = {
        {{"--frobnicate", "--out", old}, "unknown option"},
        {{"--media", (dir / "nowhere").string(), "--out", old}, "KarteGebiete.png not found"},
        {{"--media", (dir / "media").string(), "--out", old}, damaged.string() + " cannot be read"},
        {{"--out", (dir / "no" / "such" / "folder.csv").string()}, "cannot create"},
    };
    for (const auto& c : cases) {
        std::ofstream(old) << "previous results\n";
        const Result r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.fragment;
        EXPECT_NE(r.err.find(c.fragment), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty()) << c.fragment;
        EXPECT_EQ(slurp(old), "previous results\n") << c.fragment;
        EXPECT_EQ(outFolder(), std::vector<std::string>{"old.csv"}) << c.fragment;
    }
}

TEST_F(SimCli, OutFileHoldsExactlyWhatStandardOutputWould) {
    const Result toStdout = run({"--seed", "5", "--runs", "4", "--years", "30"});
    ASSERT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out.rfind("run,seed,year,", 0), 0u);

    std::ofstream(dir / "out" / "r.csv") << "to be replaced";
    const Result toFile = run(
        {"--out", (dir / "out" / "r.csv").string(), "--years", "30", "--runs", "4", "--seed", "5"});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_TRUE(toFile.out.empty());
    EXPECT_EQ(slurp(dir / "out" / "r.csv"), toStdout.out);
    EXPECT_EQ(outFolder(), std::vector<std::string>{"r.csv"}) << "no temporary file left";
}

TEST_F(SimCli, DefaultSeedIsPrintedAndRepeatsTheRun) {
    const Result first = run({"--years", "10"});
    ASSERT_EQ(first.status, 0) << first.err;
    const std::size_t at = first.err.find("--seed ");
    ASSERT_NE(at, std::string::npos) << first.err;
    const std::string seed = first.err.substr(at + 7, first.err.find(')', at) - at - 7);
    EXPECT_EQ(run({"--seed", seed, "--years", "10"}).out, first.out);
}

} // namespace
