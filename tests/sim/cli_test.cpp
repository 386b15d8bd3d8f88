// The selvo-sim executable's charts as a user gets them (its files and refusals: files.sh).
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
};

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
