// Gathering the games year by year and reducing them to the by-year CSV.
#include "tools/sim/byyear.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace sim {

namespace {

constexpr double z95 = 1.959963984540054; // two-sided 95 % point of the normal distribution

void put(std::string& out, double v, char after) {
    char text[32];
    // An undefined figure is an empty cell, which a chart or spreadsheet takes for no value.
    if (std::isnan(v)) {
        out += after;
        return;
    }
    // Adding 0 turns -0 into 0, so that no "-0" appears.
    const auto end =
        std::to_chars(text, text + sizeof text, v + 0.0, std::chars_format::general, 6);
    out.append(text, end.ptr);
    out += after;
}

void put(std::string& out, std::int64_t v, char after) {
    char text[24];
    out.append(text, std::to_chars(text, text + sizeof text, v).ptr);
    out += after;
}

} // namespace

YearTable startTable(std::int64_t runs, std::int64_t years, bool figures) {
    YearTable t;
    t.runs = runs;
    t.years = years;
    t.figures = figures;
    const std::size_t rows = std::size_t(years) + 1;
    t.extant.assign(rows, 0);
    t.neverDied.assign(rows, 0);
    t.diedIn.assign(rows, 0);
    if (figures) {
        t.animals.assign(rows * std::size_t(runs), 0);
        t.genepoolSum.assign(rows, 0);
        t.illSum.assign(rows, 0);
        t.present.assign(rows, {});
    }
    return t;
}

void addGame(YearTable& t, std::int64_t run, bool restart, const GameResult& game) {
    const auto& empty = game.emptyYears;
    // Without --restart a game is dead from the year it died out; with it, only in such years.
    const std::int64_t firstDeath = empty.empty() ? t.years + 1 : empty.front();
    const std::int64_t aliveUntil = restart ? t.years + 1 : firstDeath;
    for (std::int64_t y = 0; y < aliveUntil; ++y)
        ++t.extant[std::size_t(y)];
    for (std::int64_t y = 0; y < firstDeath; ++y)
        ++t.neverDied[std::size_t(y)];
    for (std::int32_t y : empty)
        ++t.diedIn[std::size_t(y)];
    if (restart)
        for (std::int32_t y : empty)
            --t.extant[std::size_t(y)];
    if (!t.figures || game.records.empty()) return;
    for (std::int64_t y = 0; y <= t.years; ++y) {
        const std::size_t i = std::size_t(y);
        const YearRecord& r = game.records[std::min(i, game.records.size() - 1)];
        t.animals[i * std::size_t(t.runs) + std::size_t(run)] = r.animals;
        t.genepoolSum[i] += r.genepool;
        t.illSum[i] += r.ill;
        for (std::size_t b = 0; b < t.present[i].size(); ++b)
            t.present[i][b] += (r.present >> b) & 1u;
    }
}

std::int64_t firstYearBelowHalf(const YearTable& t, bool neverDied) {
    const std::vector<std::int64_t>& counts = neverDied ? t.neverDied : t.extant;
    for (std::size_t y = 0; y < counts.size(); ++y)
        if (2 * counts[y] < t.runs) return std::int64_t(y);
    return -1;
}

void wilsonInterval(std::int64_t k, std::int64_t n, double& lo, double& hi) {
    const double p = double(k) / double(n);
    const double z2 = z95 * z95;
    const double nn = double(n);
    const double denom = 1 + z2 / nn;
    const double centre = (p + z2 / (2 * nn)) / denom;
    const double half = z95 * std::sqrt(p * (1 - p) / nn + z2 / (4 * nn * nn)) / denom;
    // At the ends the formula's bound is exactly 0 or 1; rounding must not move it.
    lo = k == 0 ? 0.0 : std::max(0.0, centre - half);
    hi = k == n ? 1.0 : std::min(1.0, centre + half);
}

double quantile(const std::int32_t* sorted, std::size_t size, double p) {
    const double h = double(size - 1) * p;
    const std::size_t below = std::size_t(h);
    if (below + 1 >= size) return sorted[size - 1];
    return sorted[below] + (h - double(below)) * (sorted[below + 1] - sorted[below]);
}

std::vector<YearStats> yearStats(YearTable& t) {
    std::vector<YearStats> stats;
    const double n = double(t.runs);
    const double undefined = std::numeric_limits<double>::quiet_NaN();
    std::int64_t extinctions = 0;
    for (std::int64_t y = 0; y <= t.years; ++y) {
        const std::size_t i = std::size_t(y);
        YearStats& s = stats.emplace_back();
        s.year = y;
        s.runs = t.runs;
        s.extant = t.extant[i];
        s.pExtant = double(s.extant) / n;
        wilsonInterval(s.extant, t.runs, s.pExtantLo, s.pExtantHi);
        s.neverDied = t.neverDied[i];
        s.pNeverDied = double(s.neverDied) / n;
        wilsonInterval(s.neverDied, t.runs, s.pNeverDiedLo, s.pNeverDiedHi);
        extinctions += t.diedIn[i];
        s.extinctionsMean = double(extinctions) / n;
        std::int32_t* a = t.animals.data() + i * std::size_t(t.runs);
        std::int32_t* end = a + t.runs;
        std::int64_t sum = 0;
        __int128 squares = 0;
        for (const std::int32_t* v = a; v != end; ++v) {
            sum += *v;
            squares += std::int64_t{*v} * *v;
        }
        s.animalsMean = double(sum) / n;
        // n * sum of squares - sum^2 is exact in 128 bits: no cancellation before dividing.
        s.animalsSd = undefined;
        if (t.runs > 1)
            s.animalsSd = std::sqrt(double(squares * t.runs - __int128{sum} * sum) /
                                    (n * double(t.runs - 1)));
        std::sort(a, end);
        s.animalsP10 = quantile(a, std::size_t(t.runs), 0.1);
        s.animalsMedian = quantile(a, std::size_t(t.runs), 0.5);
        s.animalsP90 = quantile(a, std::size_t(t.runs), 0.9);
        s.animalsMeanExtant = s.extant > 0 ? double(sum) / double(s.extant) : undefined;
        s.genepoolMean = double(t.genepoolSum[i]) / n;
        for (std::size_t b = 0; b < s.pPresent.size(); ++b)
            s.pPresent[b] = double(t.present[i][b]) / n;
        s.illMean = double(t.illSum[i]) / n;
    }
    return stats;
}

std::string byYearCsv(const std::vector<YearStats>& stats) {
    std::string out = "year,runs,extant,p_extant,p_extant_lo,p_extant_hi,animals_mean,animals_sd,"
                      "animals_p10,animals_median,animals_p90,animals_mean_extant,genepool_mean";
    for (const char* name :
         {"rr", "ry", "rb", "yr", "yy", "yb", "br", "by", "bb", "red", "yellow", "blue"})
        out += std::string(",p_") + name;
    out += ",ill_mean,p_never_died,p_never_died_lo,p_never_died_hi,extinctions_mean\n";
    for (const YearStats& s : stats) {
        put(out, s.year, ',');
        put(out, s.runs, ',');
        put(out, s.extant, ',');
        for (double v :
             {s.pExtant, s.pExtantLo, s.pExtantHi, s.animalsMean, s.animalsSd, s.animalsP10,
              s.animalsMedian, s.animalsP90, s.animalsMeanExtant, s.genepoolMean})
            put(out, v, ',');
        for (double v : s.pPresent)
            put(out, v, ',');
        put(out, s.illMean, ',');
        for (double v : {s.pNeverDied, s.pNeverDiedLo, s.pNeverDiedHi})
            put(out, v, ',');
        put(out, s.extinctionsMean, '\n');
    }
    return out;
}

} // namespace sim
