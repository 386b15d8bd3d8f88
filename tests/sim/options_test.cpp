// Command-line parsing of selvo-sim: accepted forms, defaults and every kind of refusal.
#include "tools/sim/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool parse(std::vector<const char*> args, sim::Options& o, std::string& error) {
    args.insert(args.begin(), "selvo-sim");
    return sim::parseOptions(static_cast<int>(args.size()), args.data(), o, error);
}

TEST(SimOptions, DefaultsAndEveryOptionAccepted) {
    sim::Options o;
    std::string error;
    ASSERT_TRUE(parse({}, o, error));
    EXPECT_FALSE(o.seedGiven);
    EXPECT_EQ(o.runs, 1);
    EXPECT_EQ(o.years, 100);
    EXPECT_EQ(o.media, "Media");
    EXPECT_TRUE(o.out.empty());
    EXPECT_FALSE(o.restart);

    ASSERT_TRUE(parse({"--seed", "4294967295", "--runs", "+7", "--years", "0", "--media", "/m",
                       "--out", "x.csv", "--restart"},
                      o, error))
        << error;
    EXPECT_TRUE(o.seedGiven);
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.runs, 7);
    EXPECT_EQ(o.years, 0);
    EXPECT_EQ(o.media, "/m");
    EXPECT_EQ(o.out, "x.csv");
    EXPECT_TRUE(o.restart);

    ASSERT_TRUE(parse({"--runs", "3", "--help", "--bogus"}, o, error));
    EXPECT_TRUE(o.help) << "--help wins over whatever follows";
}

TEST(SimOptions, RefusalsNameTheProblem) {
    const struct {
        std::vector<const char*> args;
        const char* fragment;
    } cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-r", "3"}, "unknown option"},
        {{"--seed"}, "missing value after --seed"},
        {{"--runs", "--years", "3"}, "missing value after --runs"},
        {{"--out", ""}, "empty value after --out"},
        {{"--years", "1.5"}, "whole number"},
        {{"--years", "12abc"}, "whole number"},
        {{"--years", "0x10"}, "whole number"},
        {{"--years", " 1"}, "whole number"},
        {{"--runs", "+"}, "whole number"},
        {{"--runs", ""}, "whole number"},
        {{"--seed", "99999999999999999999999"}, "whole number"},
        {{"--years", "-1"}, "out of range"},
        {{"--runs", "0"}, "out of range"},
        {{"--seed", "-1"}, "out of range"},
        {{"--seed", "+9223372036854775807"}, "out of range"},
        {{"--seed", "4294967296"}, "out of range"},
        {{"--runs", "1000000", "--years", "100"}, "rows"},
    };
    for (const auto& c : cases) {
        sim::Options o;
        std::string error;
        EXPECT_FALSE(parse(c.args, o, error)) << c.args.front();
        EXPECT_NE(error.find(c.fragment), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
    }
}

} // namespace
