// Parsing the command line of selvo-sim.
#include "tools/sim/options.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace sim {

namespace {

struct NumberOption {
    std::string_view name;
    std::int64_t min;
    std::int64_t max;
};

constexpr NumberOption seedOption{"--seed", 0, MaxSeed};
constexpr NumberOption runsOption{"--runs", 1, MaxRuns};
constexpr NumberOption yearsOption{"--years", 0, MaxYears};
constexpr NumberOption jobsOption{"--jobs", 1, MaxJobs};
constexpr NumberOption progressOption{"--progress-fd", 1, MaxProgressFd};

constexpr std::pair<std::string_view, Policy> policyNames[] = {{"cull", Policy::Cull},
                                                               {"spread", Policy::Spread}};

// "none" alone, or known names separated by single commas.
bool parsePolicies(std::string_view list, std::vector<Policy>& policies, std::string& error) {
    policies.clear();
    if (list == "none") return true;
    for (std::size_t from = 0;;) {
        const std::size_t comma = std::min(list.find(',', from), list.size());
        const std::string_view name = list.substr(from, comma - from);
        const auto* known = std::find_if(std::begin(policyNames), std::end(policyNames),
                                         [&](const auto& p) { return p.first == name; });
        if (known == std::end(policyNames)) {
            error = "unknown policy '" + std::string(name) +
                    "' in --policy (none, or a comma-separated list of cull, spread)";
            return false;
        }
        policies.push_back(known->second);
        if (comma == list.size()) return true;
        from = comma + 1;
    }
}

std::string rangeText(const NumberOption& o) {
    return std::to_string(o.min) + " to " + std::to_string(o.max);
}

} // namespace

bool parseWhole(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t& value) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    // Parsed without the sign so that an over-long number fails instead of wrapping; a second
    // sign, a space or nothing at all is refused as a number that does not take the whole text.
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (ec != std::errc() || end != digits.data() + digits.size()) return false;
    if (magnitude > static_cast<std::uint64_t>(INT64_MAX)) return false;
    const std::int64_t v =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (v < min || v > max) return false;
    value = v;
    return true;
}

bool parsePlotSize(std::string_view text, int& width, int& height) {
    const std::size_t x = text.find('x');
    std::int64_t w = 0, h = 0;
    if (x == std::string_view::npos || text.substr(0, x).starts_with('+') ||
        text.substr(x + 1).starts_with('+') ||
        !parseWhole(text.substr(0, x), MinPlotWidth, MaxPlotSide, w) ||
        !parseWhole(text.substr(x + 1), MinPlotHeight, MaxPlotSide, h) ||
        (w <= h && h < MinTallPlotHeight))
        return false;
    width = int(w);
    height = int(h);
    return true;
}

bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error) {
    options = Options{};
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        }
        if (arg == "--restart") {
            options.restart = true;
            continue;
        }
        const bool isNumber = arg == seedOption.name || arg == runsOption.name ||
                              arg == yearsOption.name || arg == jobsOption.name ||
                              arg == progressOption.name;
        const bool isText = arg == "--media" || arg == "--out" || arg == "--by-year" ||
                            arg == "--plot" || arg == "--policy" || arg == "--from" ||
                            arg == "--plot-size";
        if (!isNumber && !isText) {
            error = "unknown option '" + std::string(arg) + "' (see --help)";
            return false;
        }
        // A following option is a forgotten value, not a value starting with dashes.
        if (i + 1 >= argc || std::string_view(argv[i + 1]).starts_with("--")) {
            error = "missing value after " + std::string(arg);
            return false;
        }
        const std::string_view value = argv[++i];
        if (isText) {
            if (value.empty()) {
                error = "empty value after " + std::string(arg);
                return false;
            }
            if (arg == "--policy") {
                if (!parsePolicies(value, options.policies, error)) return false;
            } else if (arg == "--plot") {
                if (!ui::chartFormatOf(value, options.plotFormat)) {
                    error = "--plot " + std::string(value) +
                            ": unknown picture type (the name must end in .png or .svg)";
                    return false;
                }
                options.plot = value;
            } else if (arg == "--plot-size") {
                if (!parsePlotSize(value, options.plotWidth, options.plotHeight)) {
                    error = std::string("--plot-size ") + std::string(value) +
                            ": not WIDTHxHEIGHT in pixels, " + std::to_string(MinPlotWidth) +
                            " to " + std::to_string(MaxPlotSide) + " by " +
                            std::to_string(MinPlotHeight) + " to " + std::to_string(MaxPlotSide) +
                            ", at least " + std::to_string(MinTallPlotHeight) +
                            " high when not wider than tall";
                    return false;
                }
            } else {
                (arg == "--media" ? options.media
                 : arg == "--out" ? options.out
                 : arg == "--from" ? options.from
                                   : options.byYear) = std::string(value);
            }
            continue;
        }
        const NumberOption& o = arg == seedOption.name   ? seedOption
                                : arg == runsOption.name ? runsOption
                                : arg == jobsOption.name ? jobsOption
                                : arg == progressOption.name ? progressOption
                                                             : yearsOption;
        std::int64_t number = 0;
        if (!parseWhole(value, INT64_MIN, INT64_MAX, number)) {
            error = std::string(o.name) + " needs a whole number, not '" + std::string(value) + "'";
            return false;
        }
        if (number < o.min || number > o.max) {
            error = std::string(o.name) + " " + std::string(value) + " is out of range (" +
                    rangeText(o) + ")";
            return false;
        }
        if (&o == &seedOption) {
            options.seed = static_cast<std::uint32_t>(number);
            options.seedGiven = true;
        } else if (&o == &runsOption) {
            options.runs = number;
        } else if (&o == &jobsOption) {
            options.jobs = number;
        } else if (&o == &progressOption) {
            options.progressFd = int(number);
        } else {
            options.years = number;
        }
    }
    // Both are within their own limits, so the product fits easily in 64 bits.
    if (options.runs * (options.years + 1) > MaxRows) {
        error = "--runs " + std::to_string(options.runs) + " with --years " +
                std::to_string(options.years) + " would write more than " +
                std::to_string(MaxRows) + " rows";
        return false;
    }
    return true;
}

std::string policyText(const std::vector<Policy>& policies) {
    std::string text;
    for (Policy p : policies) {
        if (!text.empty()) text += ',';
        for (const auto& [name, policy] : policyNames)
            if (policy == p) text += name;
    }
    return text.empty() ? "none" : text;
}

std::string usageText() {
    return "Usage: selvo-sim [--seed N] [--runs R] [--years Y] [--media DIR] [--out FILE]\n"
           "                 [--restart] [--jobs J] [--policy LIST] [--by-year FILE]\n"
           "                 [--plot FILE] [--plot-size WxH] [--from FILE]\n"
           "                 [--progress-fd FD]\n"
           "\n"
           "Plays R games of Y years each without any player action and writes one CSV row\n"
           "per game and year (year 0 is the new game), using the game's own model.\n"
           "\n"
           "  --seed N       seed of game 0; game r uses N + r (mod 2^32). Default: from the\n"
           "                 clock, printed on standard error so that the run can be repeated.\n"
           "  --runs R       number of games, 1 to " +
           std::to_string(MaxRuns) +
           " (default 1)\n"
           "  --years Y      years per game, 0 to " +
           std::to_string(MaxYears) +
           " (default 100)\n"
           "  --media DIR    folder holding KarteGebiete.png, the areas picture (default Media)\n"
           "  --out FILE     write the CSV to FILE instead of standard output\n"
           "  --restart      when a herd dies out, start a new game and play on to year Y, as\n"
           "                 the window does (by-year p_extant is then the share with animals\n"
           "                 in that year, not of herds that never died out); without it that\n"
           "                 game ends at the year it died out\n"
           "  --jobs J       games played at once in separate processes, 1 to " +
           std::to_string(MaxJobs) +
           "\n"
           "                 (default: one per core); the output does not depend on it\n"
           "  --policy LIST  what a keeper does before every year, in the order listed: none\n"
           "                 (default), or cull and/or spread, comma-separated. cull: in each\n"
           "                 Area above its capacity shoot the oldest down to the capacity.\n"
           "                 spread: release a breeding pair from the fullest Area into each\n"
           "                 empty Area\n"
           "  --by-year FILE one CSV row per year over all games: share alive with its 95 %\n"
           "                 interval (Wilson, z = 1.959964), animals (mean, sd, p10, median,\n"
           "                 p90), gene pool, gene pairs and colours present, illness, and the\n"
           "                 share never died out with its interval and the extinctions per\n"
           "                 game so far; an undefined figure is an empty cell\n"
           "  --plot FILE    charts of the by-year figures as a .png or .svg picture\n"
           "  --plot-size WxH  the charts' size in pixels (default 1600x900, in two columns\n"
           "                 for a projector; 1000x1500 stacks them for a page), 640x480 to\n"
           "                 8192x8192, at least 900 high when not wider than tall\n"
           "  --from FILE    start every game from the herd saved in FILE (a .selvo file of\n"
           "                 the game) instead of the founders; year 0 is the saved state, the\n"
           "                 file's own random state is not used (game r still uses N + r)\n"
           "  --progress-fd FD\n"
           "                 after each finished game, write how many are finished as a\n"
           "                 line (\"312\") to the open file descriptor FD (1 to 1023), for\n"
           "                 a program that runs selvo-sim and shows how far it is\n"
           "  --help         show this text\n"
           "\n"
           "Every named file is checked before the first game: a missing folder, a folder,\n"
           "a file or folder you may not write (root too, where no write bit is set), a file\n"
           "that cannot be replaced and two names for one file are refused. The files are\n"
           "written beside their targets and replaced together, all or none, when the last\n"
           "is complete (a device or FIFO is written directly). At most " +
           std::to_string(MaxRows) +
           " rows\n"
           "(runs * (years + 1)). Columns:\n"
           "  run,seed,year,rating,animals,births,deaths,genepool, the nine gene pairs\n"
           "  rr..bb (first gene, second gene; r red, y yellow, b blue), ill (animals with an\n"
           "  illness), a1..a16 (animals per Area), then old_age_deaths and weakness_deaths\n"
           "  (the deaths by cause, adding up to deaths), shot and carried (animals the\n"
           "  policies removed as shot, or moved into another Area, before that year's step).\n"
           "  The row of a year holds the herd after that year's step, before any new game\n"
           "  that --restart starts.\n"
           "Exit status: 0 done, 1 write error or failed game process, 2 bad arguments, media\n"
           "or files, 128 + N ended by signal N (130 for Ctrl-C); nothing is left behind.\n";
}

} // namespace sim
