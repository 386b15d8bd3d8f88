// The selvo-sim executable as a user meets it: exit status, messages and the --out file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class SimCli : public ::testing::Test {
  protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("sim_cli_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    Result run(const std::vector<std::string>& args) const {
        std::string command = quoted(SELVO_SIM_EXE);
        for (const std::string& a : args)
            command += " " + quoted(a);
        command +=
            " >" + quoted((dir / "stdout").string()) + " 2>" + quoted((dir / "stderr").string());
        const int raw = std::system(command.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(dir / "stdout");
        r.err = slurp(dir / "stderr");
        return r;
    }

    // Everything in the scratch folder except the captured streams.
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string n = e.path().filename().string();
            if (n != "stdout" && n != "stderr" && n != "media") names.push_back(n);
        }
        return names;
    }
};

TEST_F(SimCli, BadArgumentsExitTwoAndWriteNothing) {
    const std::string out = (dir / "out.csv").string();
    const struct {
        std::vector<std::string> args;
        const char* fragment;
    } cases[] = {
        {{"--frobnicate"}, "unknown option"},
        {{"--years"}, "missing value"},
        {{"--years", "ten"}, "whole number"},
        {{"--years", "-3"}, "out of range"},
        {{"--media", (dir / "nowhere").string()}, "KarteGebiete.png not found"},
        {{"--out", (dir / "no" / "such" / "folder.csv").string()}, "cannot create"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        if (std::string(c.fragment) != "cannot create") args.insert(args.end(), {"--out", out});
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << args.front();
        EXPECT_NE(r.err.find(c.fragment), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_TRUE(leftovers().empty()) << args.front() << " left " << leftovers().front();
    }
}

TEST_F(SimCli, DamagedAreasPictureIsNamedAndOldOutputKept) {
    fs::create_directories(dir / "media");
    std::ofstream(dir / "media" / "KarteGebiete.png") << "\x89PNG\r\n\x1a\n not really";
    std::ofstream(dir / "old.csv") << "previous results\n";
    const Result r =
        run({"--media", (dir / "media").string(), "--out", (dir / "old.csv").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find((dir / "media" / "KarteGebiete.png").string()), std::string::npos);
    EXPECT_NE(r.err.find("damaged"), std::string::npos) << r.err;
    EXPECT_EQ(slurp(dir / "old.csv"), "previous results\n");
    EXPECT_EQ(leftovers(), std::vector<std::string>{"old.csv"});
}

TEST_F(SimCli, OutFileHoldsExactlyWhatStandardOutputWould) {
    const Result toStdout = run({"--seed", "5", "--runs", "4", "--years", "30"});
    ASSERT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(toStdout.out.rfind("run,seed,year,", 0), 0u);
    EXPECT_NE(toStdout.err.find("4 runs"), std::string::npos) << toStdout.err;
    EXPECT_NE(toStdout.err.find("animal-years per second"), std::string::npos);

    std::ofstream(dir / "r.csv") << "to be replaced";
    const Result toFile =
        run({"--out", (dir / "r.csv").string(), "--years", "30", "--runs", "4", "--seed", "5"});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_TRUE(toFile.out.empty());
    EXPECT_EQ(slurp(dir / "r.csv"), toStdout.out);
    EXPECT_EQ(leftovers(), std::vector<std::string>{"r.csv"}) << "no temporary file left";
}

TEST_F(SimCli, DefaultSeedIsPrintedAndRepeatsTheRun) {
    const Result first = run({"--years", "10"});
    ASSERT_EQ(first.status, 0) << first.err;
    const std::string key = "--seed ";
    const std::size_t at = first.err.find(key);
    ASSERT_NE(at, std::string::npos) << first.err;
    const std::string seed =
        first.err.substr(at + key.size(), first.err.find(')', at) - at - key.size());
    const Result again = run({"--seed", seed, "--years", "10"});
    EXPECT_EQ(again.out, first.out);

    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--restart"), std::string::npos);
}

} // namespace
