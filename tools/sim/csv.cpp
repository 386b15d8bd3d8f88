// A year's figures written as a CSV row.
#include "tools/sim/csv.h"

#include <charconv>

namespace sim {

namespace {

// Large enough for any 64-bit number and its separator.
constexpr std::size_t fieldRoom = 24;

char* putNumber(char* at, std::int64_t v) {
    // The room reserved per field always suffices, so the result needs no check.
    return std::to_chars(at, at + fieldRoom, v).ptr;
}

} // namespace

const std::string& csvHeader() {
    static const std::string header = [] {
        std::string h = "run,seed,year,rating,animals,births,deaths,genepool";
        for (const char* pair : {"rr", "ry", "rb", "yr", "yy", "yb", "br", "by", "bb"})
            h += std::string(",") + pair;
        h += ",ill";
        for (int a = 1; a <= model::AreaCount; ++a)
            h += ",a" + std::to_string(a);
        h += ",old_age_deaths,weakness_deaths,shot,carried\n";
        return h;
    }();
    return header;
}

void appendRow(std::string& out, std::int64_t run, std::uint32_t seed, std::int64_t year,
               const YearFigures& f) {
    char row[CsvColumns * fieldRoom];
    char* at = row;
    auto put = [&](std::int64_t v, char after) {
        at = putNumber(at, v);
        *at++ = after;
    };
    put(run, ',');
    put(seed, ',');
    put(year, ',');
    put(f.rating, ',');
    put(f.animals, ',');
    put(f.births, ',');
    put(f.deaths, ',');
    put(f.genePool, ',');
    for (std::int32_t n : f.pairs)
        put(n, ',');
    put(f.ill, ',');
    for (int a = 0; a < model::AreaCount; ++a)
        put(f.areas[std::size_t(a)], ',');
    // Added after the Areas, so that readers of the older columns by position still work.
    put(f.oldAgeDeaths, ',');
    put(f.weaknessDeaths, ',');
    put(f.shot, ',');
    put(f.carried, '\n');
    out.append(row, static_cast<std::size_t>(at - row));
}

} // namespace sim
