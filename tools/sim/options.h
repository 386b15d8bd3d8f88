// Command-line options of selvo-sim: parsing, limits and the usage text.
#pragma once

#include "ui/chart.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Limits that keep a mistyped number from filling the disk or running for days.
constexpr std::int64_t MaxRuns = 1'000'000;
constexpr std::int64_t MaxYears = 1'000'000;
constexpr std::int64_t MaxRows = 100'000'000; // runs * (years + 1)
constexpr std::int64_t MaxSeed = 4'294'967'295;
constexpr std::int64_t MaxJobs = 256;
constexpr std::int64_t MaxProgressFd = 1023;

// A keeper's action between years; see tools/sim/policy.h.
enum class Policy { Cull, Spread };

struct Options {
    std::uint32_t seed = 0;
    bool seedGiven = false; // false: main draws a seed from the clock
    std::int64_t runs = 1;
    std::int64_t years = 100;
    std::string media = "Media";
    std::string out; // empty: standard output
    bool restart = false;
    bool help = false;
    std::int64_t jobs = 0;        // games played at once; 0: one per core
    std::vector<Policy> policies; // applied in this order before every year; empty: none
    std::string byYear;           // the by-year table's file; empty: none
    std::string plot;             // the charts' file; empty: none
    std::string from;             // a saved game every game starts from; empty: the founders
    int progressFd = -1;          // where finished games are counted; -1: nowhere
    ui::ChartFormat plotFormat = ui::ChartFormat::Png; // from the extension of `plot`
    int plotWidth = 1600; // pixels; landscape for a projector, the charts in two columns
    int plotHeight = 900;
};

// Sides --plot-size accepts: the four charts fit into every size allowed.
constexpr int MinPlotWidth = 640, MinPlotHeight = 480, MaxPlotSide = 8192;
constexpr int MinTallPlotHeight = 900; // a picture not wider than tall stacks all four

// The policies as --policy names them, comma-separated; "none" for an empty list.
std::string policyText(const std::vector<Policy>& policies);

// Reads argv[1 .. argc-1] into `options`. On failure returns false with a one-line message
// (without a trailing newline) in `error`; `options` is then unspecified. --help stops parsing
// and succeeds with options.help set.
bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error);

// "WIDTHxHEIGHT" within the limits above; false, leaving the numbers alone, otherwise.
bool parsePlotSize(std::string_view text, int& width, int& height);

// A whole decimal number with an optional sign, nothing else; false when the text is not one or
// lies outside min..max.
bool parseWhole(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t& value);

// The --help text, ending in a newline.
std::string usageText();

} // namespace sim
