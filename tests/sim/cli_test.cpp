// The selvo-sim executable as a user meets it: exit status, messages and the --out file.
#include <gtest/gtest.h>

#include "ui/picture.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
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

    // selvo-sim run with `args`, its two streams caught in files of the scratch folder; a
    // `reader` of a FIFO runs beside it and is waited for.
    Result run(const std::vector<std::string>& args, const std::string& reader = "") const {
        std::string command = reader.empty() ? "" : reader + " & ";
        command += quoted(SELVO_SIM_EXE);
        for (const std::string& a : args)
            command.append(" ").append(quoted(a)); // `" " + string` trips g++ 12's -Wrestrict
        command += " >" + quoted(dir / "stdout") + " 2>" + quoted(dir / "stderr");
        command += "; status=$?; wait; exit $status";
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

// Each way of refusing (a bad option or value, the areas picture missing or damaged; files.sh
// has the files' own) exits 2 with one line naming the problem, and leaves an earlier --out
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
        {{"--out", old, "--plot", (dir / "out" / "chart.gif").string()}, "unknown picture type"},
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

// A named file is written through: a symbolic link is followed and stays a link, a FIFO is
// written directly and stays a FIFO, an existing file keeps its permissions. The same for the
// CSV and for the by-year table.
TEST_F(SimCli, NamedFilesAreWrittenThrough) {
    const std::vector<std::string> batch = {"--seed", "9", "--runs", "3", "--years", "20"};
    const fs::path out = dir / "out";
    for (const std::string option : {"--out", "--by-year"}) {
        auto args = batch;
        args.insert(args.end(), {option, (dir / "plain").string()});
        ASSERT_EQ(run(args).status, 0);
        const std::string want = slurp(dir / "plain");

        std::ofstream(out / "target") << "old";
        fs::create_symlink("target", out / "link");
        std::ofstream(out / "private") << "old";
        fs::permissions(out / "private",
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        ASSERT_EQ(::mkfifo((out / "fifo").c_str(), 0600), 0);
        const std::string reader =
            "timeout 60 cat " + quoted(out / "fifo") + " >" + quoted(dir / "from-fifo");
        for (const char* name : {"link", "private", "fifo"}) {
            args = batch;
            args.insert(args.end(), {option, (out / name).string()});
            const Result r = run(args, name == std::string("fifo") ? reader : "");
            EXPECT_EQ(r.status, 0) << option << " " << name << ": " << r.err;
        }
        EXPECT_TRUE(fs::is_symlink(out / "link")) << option;
        EXPECT_EQ(slurp(out / "target"), want) << option;
        EXPECT_EQ(slurp(out / "private"), want) << option;
        EXPECT_EQ(fs::status(out / "private").permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        EXPECT_TRUE(fs::is_fifo(out / "fifo")) << option;
        EXPECT_EQ(slurp(dir / "from-fifo"), want) << option;
        auto names = outFolder();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"fifo", "link", "private", "target"}));
        fs::remove_all(out);
        fs::create_directories(out);
    }
}

// The charts as PNG (decodable, of the chart's size; the chart test checks its colours) and as SVG (its title line
// naming runs, years, seed and policy), beside the by-year table and the summary.
TEST_F(SimCli, PlotIsAPngOrAnSvgPicture) {
    const std::string png = (dir / "out" / "c.png").string(),
                      svg = (dir / "out" / "c.SVG").string();
    const std::vector<std::string> batch = {"--seed", "5",        "--runs", "3",     "--years",
                                            "20",     "--policy", "cull",   "--out", "/dev/null"};
    for (const std::string& file : {png, svg}) {
        auto args = batch;
        args.insert(args.end(), {"--plot", file, "--by-year", (dir / "by-year.csv").string()});
        const Result r = run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.err.find("selvo-sim: policy cull\n"), std::string::npos) << r.err;
        const std::string byYear = slurp(dir / "by-year.csv");
        EXPECT_EQ(std::count(byYear.begin(), byYear.end(), '\n'), 22);
    }
    ui::Picture picture;
    const std::string bytes = slurp(png);
    ASSERT_TRUE(ui::decodePicture(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                                  picture));
    EXPECT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(1000, 1500));
    const std::string text = slurp(svg);
    EXPECT_EQ(text.rfind("<?xml", 0), 0u);
    EXPECT_NE(text.find("<title>3 Läufe zu 20 Jahren, Startwert 5, Eingriffe: cull</title>"),
              std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 7), "</svg>\n");
}

} // namespace
