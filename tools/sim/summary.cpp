// Summing up a batch for the people who ran it.
#include "tools/sim/summary.h"

#include <algorithm>
#include <cstdio>

namespace sim {

double median(std::vector<std::int32_t> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    if (values.size() % 2 == 1) return values[mid];
    return (double(values[mid - 1]) + values[mid]) / 2;
}

namespace {

// printf into a string as long as the text, so that no part of it depends on a buffer's size.
template <typename... Args> std::string formatted(const char* format, Args... args) {
    std::string text(std::size_t(std::snprintf(nullptr, 0, format, args...)), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

} // namespace

std::string summaryText(const BatchTotals& t) {
    const double runs = double(t.runs); // at least one: a batch plays one or more
    // A batch too short for the clock to see still gets a finite figure.
    const double seconds = std::max(t.seconds, 1e-9);
    const std::size_t extinct = t.extinctionYears.size();
    // With --restart a herd that died out has animals again the next year: the share alive is
    // not persistence, the share that never died out is.
    const auto belowHalf = [](const char* what, std::int64_t year) {
        return year < 0 ? formatted("share %s never below 0.5", what)
                        : formatted("share %s first below 0.5 in year %lld", what,
                                    static_cast<long long>(year));
    };
    const std::string died =
        extinct > 0 ? formatted("%s, median year of the first time %g",
                                t.restart ? " at least once" : "", median(t.extinctionYears))
                    : std::string();
    std::string half = belowHalf(t.restart ? "never died out" : "alive", t.halfDiedYear);
    if (t.restart)
        half = formatted("%.2f extinctions per run; ", double(t.extinctions) / runs) + half + " (" +
               belowHalf("with animals", t.halfLostYear) + ")";
    // The policy list has no length limit; the text takes whatever it needs.
    return "selvo-sim: policy " + t.policy + "\n" +
           formatted("selvo-sim: %lld runs, %lld years simulated\n"
                     "selvo-sim: %zu runs died out%s; %s\n"
                     "selvo-sim: at the last year: mean animals %.1f, mean genepool %.1f\n"
                     "selvo-sim: %lld animal-years in %.2f s: %.0f animal-years per second, "
                     "%.0f years per second\n",
                     static_cast<long long>(t.runs), static_cast<long long>(t.years), extinct,
                     died.c_str(), half.c_str(), double(t.lastAnimalsSum) / runs,
                     double(t.lastGenepoolSum) / runs, static_cast<long long>(t.animalYears),
                     t.seconds, double(t.animalYears) / seconds, double(t.years) / seconds);
}

} // namespace sim
