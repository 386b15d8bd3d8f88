// Summing up a batch for the people who ran it.
#include "tools/sim/summary.h"

#include <algorithm>
#include <cstdio>

namespace sim {

double median(std::vector<std::int32_t> values) {
    if (values.empty()) return 0;
    const std::size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(mid), values.end());
    const double upper = values[mid];
    if (values.size() % 2 == 1) return upper;
    const double lower = *std::max_element(values.begin(), values.begin() + std::ptrdiff_t(mid));
    return (lower + upper) / 2;
}

std::string summaryText(const BatchTotals& t) {
    const double runs = t.runs > 0 ? double(t.runs) : 1.0;
    // A batch too short for the clock to see still gets a finite figure.
    const double seconds = std::max(t.seconds, 1e-9);
    char text[768];
    const std::size_t extinct = t.extinctionYears.size();
    // With --restart a herd that died out has animals again the next year: the share alive is
    // not persistence, the share that never died out is.
    const auto belowHalf = [](const char* what, std::int64_t year) {
        char line[96];
        if (year < 0)
            std::snprintf(line, sizeof line, "share %s never below 0.5", what);
        else
            std::snprintf(line, sizeof line, "share %s first below 0.5 in year %lld", what,
                          static_cast<long long>(year));
        return std::string(line);
    };
    char died[160] = "";
    if (extinct > 0)
        std::snprintf(died, sizeof died, "%s, median year of the first time %g",
                      t.restart ? " at least once" : "", median(t.extinctionYears));
    std::string half = belowHalf(t.restart ? "never died out" : "alive", t.halfDiedYear);
    if (t.restart) {
        char mean[64];
        std::snprintf(mean, sizeof mean, "%.2f extinctions per run; ", double(t.extinctions) / runs);
        half = mean + half + " (" + belowHalf("with animals", t.halfLostYear) + ")";
    }
    std::snprintf(text, sizeof text,
                  "selvo-sim: %lld runs, %lld years simulated\n"
                  "selvo-sim: %zu runs died out%s; %s\n"
                  "selvo-sim: at the last year: mean animals %.1f, mean genepool %.1f\n"
                  "selvo-sim: %lld animal-years in %.2f s: %.0f animal-years per second, %.0f "
                  "years per second\n",
                  static_cast<long long>(t.runs), static_cast<long long>(t.years), extinct,
                  died, half.c_str(), double(t.lastAnimalsSum) / runs,
                  double(t.lastGenepoolSum) / runs, static_cast<long long>(t.animalYears),
                  t.seconds, double(t.animalYears) / seconds, double(t.years) / seconds);
    // The policy list has no length limit, so it stays out of the fixed buffer.
    return "selvo-sim: policy " + t.policy + "\n" + text;
}

} // namespace sim
