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
        {{"--seed", "9223372036854775808"}, "whole number"},
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
        {{"--plot-size", "1600 x900"}, "not WIDTHxHEIGHT"},
        {{"--plot-size", "639x900"}, "not WIDTHxHEIGHT"},
        {{"--plot-size", "800x899"}, "not WIDTHxHEIGHT"},
        {{"--plot-size", "1600x+900"}, "not WIDTHxHEIGHT"},
        {{"--plot-size", "+1600x900"}, "not WIDTHxHEIGHT"},
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
