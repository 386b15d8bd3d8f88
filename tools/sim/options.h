// Command-line options of selvo-sim: parsing, limits and the usage text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

// Limits that keep a mistyped number from filling the disk or running for days.
constexpr std::int64_t MaxRuns = 1'000'000;
constexpr std::int64_t MaxYears = 1'000'000;
constexpr std::int64_t MaxRows = 100'000'000; // runs * (years + 1)
constexpr std::int64_t MaxSeed = 4'294'967'295;

struct Options {
    std::uint32_t seed = 0;
    bool seedGiven = false; // false: main draws a seed from the clock
    std::int64_t runs = 1;
    std::int64_t years = 100;
    std::string media = "Media";
    std::string out; // empty: standard output
    bool restart = false;
    bool help = false;
};

// Reads argv[1 .. argc-1] into `options`. On failure returns false with a one-line message
// (without a trailing newline) in `error`; `options` is then unspecified. --help stops parsing
// and succeeds with options.help set.
bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error);

// A whole decimal number with an optional sign, nothing else; false when the text is not one or
// lies outside min..max.
bool parseWhole(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t& value);

// The --help text, ending in a newline.
std::string usageText();

} // namespace sim
