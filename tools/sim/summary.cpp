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
    char extinction[96] = "";
    if (extinct > 0)
        std::snprintf(extinction, sizeof extinction, ", median extinction year %g",
                      median(t.extinctionYears));
    char half[96] = "share alive never below 0.5";
    if (t.halfLostYear >= 0)
        std::snprintf(half, sizeof half, "share alive first below 0.5 in year %lld",
                      static_cast<long long>(t.halfLostYear));
    std::snprintf(text, sizeof text,
                  "selvo-sim: %lld runs, %lld years simulated\n"
                  "selvo-sim: %zu runs died out%s; %s\n"
                  "selvo-sim: at the last year: mean animals %.1f, mean genepool %.1f\n"
                  "selvo-sim: %lld animal-years in %.2f s: %.0f animal-years per second, %.0f "
                  "years per second\n",
                  static_cast<long long>(t.runs), static_cast<long long>(t.years), extinct,
                  extinction, half, double(t.lastAnimalsSum) / runs,
                  double(t.lastGenepoolSum) / runs, static_cast<long long>(t.animalYears),
                  t.seconds, double(t.animalYears) / seconds, double(t.years) / seconds);
    // The policy list has no length limit, so it stays out of the fixed buffer.
    return "selvo-sim: policy " + t.policy + "\n" + text;
}

} // namespace sim
