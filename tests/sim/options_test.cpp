// Command-line parsing of selvo-sim: every option's value kept, every kind of refusal named.
#include "tools/sim/options.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

bool parse(std::vector<const char*> args, sim::Options& o, std::string& error) {
    args.insert(args.begin(), "selvo-sim");
    return sim::parseOptions(static_cast<int>(args.size()), args.data(), o, error);
}

TEST(SimOptions, EveryOptionKeepsItsValue) {
    sim::Options o;
    std::string error;
    ASSERT_TRUE(parse({"--seed", "4294967295", "--runs", "+7", "--years", "0", "--media", "/m",
                       "--out", "x.csv", "--restart", "--jobs", "3", "--policy",
                       "spread,cull,spread", "--by-year", "y.csv", "--plot", "p.SVG"},
                      o, error))
        << error;
    EXPECT_TRUE(o.seedGiven && o.restart);
    EXPECT_EQ(std::tie(o.seed, o.runs, o.years, o.media, o.out, o.jobs, o.byYear, o.plot),
              std::make_tuple(4294967295u, 7, 0, "/m", "x.csv", 3, "y.csv", "p.SVG"));
    EXPECT_EQ(o.plotFormat, ui::ChartFormat::Svg);
    EXPECT_EQ(sim::policyText(o.policies), "spread,cull,spread");
    ASSERT_TRUE(parse({"--policy", "none", "--plot", "a.b.png"}, o, error)) << error;
    EXPECT_TRUE(o.policies.empty() && o.jobs == 0 && o.plotFormat == ui::ChartFormat::Png);

    ASSERT_TRUE(parse({"--runs", "3", "--help", "--bogus"}, o, error));
    EXPECT_TRUE(o.help) << "--help wins over whatever follows";
}

// Number forms a looser parser would take (leading space, hex, a lone sign, overflow) are refused
// here once, so the executable's tests need only one of them.
TEST(SimOptions, RefusalsNameTheProblemInOneLine) {
    const struct {
        std::vector<const char*> args;
        const char* fragment;
    } cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--seed"}, "missing value after --seed"},
        {{"--runs", "--years", "3"}, "missing value after --runs"},
        {{"--out", ""}, "empty value after --out"},
        {{"--years", "0x10"}, "whole number"},
        {{"--years", " 1"}, "whole number"},
        {{"--runs", "+"}, "whole number"},
        {{"--seed", "99999999999999999999999"}, "whole number"},
        {{"--runs", "0"}, "out of range"},
        {{"--seed", "-1"}, "out of range"},
        {{"--seed", "+9223372036854775807"}, "out of range"},
        {{"--seed", "4294967296"}, "out of range"},
        {{"--runs", "1000000", "--years", "100"}, "rows"},
        {{"--jobs", "0"}, "out of range"},
        {{"--policy", "cull,shoot"}, "unknown policy 'shoot'"},
        {{"--policy", "cull,"}, "unknown policy ''"},
        {{"--policy", "none,cull"}, "unknown policy 'none'"},
        {{"--plot", "chart.jpg"}, "unknown picture type"},
        {{"--plot", "png"}, "unknown picture type"},
    };
    for (const auto& c : cases) {
        sim::Options o;
        std::string error;
        EXPECT_FALSE(parse(c.args, o, error)) << c.args.front();
        EXPECT_NE(error.find(c.fragment), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

} // namespace
