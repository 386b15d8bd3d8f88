// The page "Prognose": the simulator's by-year table read back, and what the page says of it.
#include "report/forecast.h"

#include "report/round_axis.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace report {

namespace {

// Colour-blind-safe colours (0x00BBGGRR) and a line style of its own for each choice, in the
// order of ForecastChoices: blue solid, vermilion dashed, bluish green dotted.
constexpr std::int32_t choiceColours[3] = {0xB27200, 0x005ED5, 0x739E00};
constexpr ui::LineStyle choiceStyles[3] = {ui::LineStyle::Solid, ui::LineStyle::Dashed,
                                           ui::LineStyle::Dotted};

std::vector<std::string_view> cells(std::string_view line) {
    std::vector<std::string_view> out;
    for (std::size_t from = 0;;) {
        const std::size_t comma = std::min(line.find(',', from), line.size());
        out.push_back(line.substr(from, comma - from));
        if (comma == line.size()) return out;
        from = comma + 1;
    }
}

// A cell as a number, NaN for an empty one; false for anything else. Not strtod: the game runs
// under the user's locale, whose decimal mark may be a comma.
bool number(std::string_view cell, double& value) {
    if (cell.empty()) {
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    return ec == std::errc() && end == cell.data() + cell.size();
}

int percent(double share) {
    return int(std::lround(share * 100));
}

ui::ChartSeries series(ui::SeriesKind kind, std::size_t choice, bool inLegend) {
    ui::ChartSeries s;
    s.kind = kind;
    s.name = ForecastChoices[choice].name;
    s.colour = choiceColours[choice];
    s.style = choiceStyles[choice];
    s.inLegend = inLegend;
    return s;
}

// A line per finished choice, with its band under it when `low`/`high` are given.
void addChoice(ui::Chart& chart, std::size_t choice, const std::vector<ForecastYear>& years,
               double ForecastYear::*value, double ForecastYear::*low, double ForecastYear::*high,
               double scale, bool inLegend) {
    ui::ChartSeries line = series(ui::SeriesKind::Line, choice, inLegend);
    ui::ChartSeries band = series(ui::SeriesKind::Band, choice, false);
    for (const ForecastYear& y : years) {
        const double x = y.year;
        if (!std::isnan(y.*value)) line.points.push_back({x, y.*value * scale});
        if (low != nullptr && !std::isnan(y.*low) && !std::isnan(y.*high)) {
            band.points.push_back({x, y.*high * scale});
            band.lower.push_back({x, y.*low * scale});
        }
    }
    if (low != nullptr) chart.series.push_back(std::move(band));
    chart.series.push_back(std::move(line));
}

} // namespace

bool parseForecastTable(std::string_view csv, std::vector<ForecastYear>& years,
                        std::string& error) {
    years.clear();
    std::vector<std::string_view> lines;
    for (std::size_t from = 0; from < csv.size();) {
        const std::size_t end = std::min(csv.find('\n', from), csv.size());
        lines.push_back(csv.substr(from, end - from));
        from = end + 1;
    }
    if (lines.empty()) {
        error = "keine Zahlen erhalten";
        return false;
    }
    const std::vector<std::string_view> header = cells(lines.front());
    const char* names[] = {"year",          "p_extant",    "p_extant_lo",  "p_extant_hi",
                           "animals_mean",  "animals_p10", "animals_median", "animals_p90",
                           "genepool_mean"};
    std::size_t column[std::size(names)];
    for (std::size_t k = 0; k < std::size(names); ++k) {
        const auto at = std::find(header.begin(), header.end(), names[k]);
        if (at == header.end()) {
            error = std::string("die Spalte ") + names[k] + " fehlt";
            return false;
        }
        column[k] = std::size_t(at - header.begin());
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string_view> row = cells(lines[i]);
        double v[std::size(names)];
        for (std::size_t k = 0; k < std::size(names); ++k) {
            if (column[k] >= row.size() || !number(row[column[k]], v[k]) ||
                (k == 0 && std::isnan(v[0]))) {
                error = "Zeile " + std::to_string(i + 1) + " ist keine Zahlenreihe";
                return false;
            }
        }
        years.push_back({int(v[0]), v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]});
    }
    return true;
}

std::string forecastSentence(const ForecastChoice& choice, const std::vector<ForecastYear>& years) {
    if (years.empty()) return std::string(choice.name) + ": noch keine Zahlen.";
    const ForecastYear& last = years.back();
    const long animals = std::lround(std::isnan(last.animalsMean) ? 0 : last.animalsMean);
    return std::string(choice.name) + " lebt die Herde in " + std::to_string(last.year) +
           " Jahren mit " + std::to_string(percent(last.alive)) + " % (" +
           std::to_string(percent(last.aliveLow)) + "–" + std::to_string(percent(last.aliveHigh)) +
           " %) Wahrscheinlichkeit; im Mittel " + std::to_string(animals) +
           (animals == 1 ? " Tier." : " Tiere.");
}

std::string reproduceLine(std::uint32_t seed) {
    return "Nachrechnen: selvo-sim --from SPIEL.selvo --seed " + std::to_string(seed) +
           " --runs " + std::to_string(ForecastRuns) + " --years " +
           std::to_string(ForecastYears) + " --policy " + ForecastChoices[0].policy + " (" +
           ForecastChoices[1].policy + ", " + ForecastChoices[2].policy +
           ") --by-year prognose.csv";
}

std::vector<ui::Chart> forecastCharts(const std::array<std::vector<ForecastYear>, 3>& tables) {
    ui::Chart alive, animals, pool;
    alive.title = "Herde lebt noch (Anteil der Zukünfte, 95-%-Band)";
    animals.title = "Tiere (Median, Band 10–90 %)";
    pool.title = "Genpool (Mittelwert)";
    double most = 0, low = 0, high = 0;
    for (std::size_t c = 0; c < tables.size(); ++c) {
        const std::vector<ForecastYear>& t = tables[c];
        if (t.empty()) continue;
        addChoice(alive, c, t, &ForecastYear::alive, &ForecastYear::aliveLow,
                  &ForecastYear::aliveHigh, 100, true);
        addChoice(animals, c, t, &ForecastYear::animalsMedian, &ForecastYear::animalsP10,
                  &ForecastYear::animalsP90, 1, false);
        addChoice(pool, c, t, &ForecastYear::genePoolMean, nullptr, nullptr, 1, false);
        for (const ForecastYear& y : t) {
            if (!std::isnan(y.animalsP90)) most = std::max(most, y.animalsP90);
            if (!std::isnan(y.genePoolMean)) {
                low = std::min(low, y.genePoolMean);
                high = std::max(high, y.genePoolMean);
            }
        }
    }
    for (ui::Chart* chart : {&alive, &animals, &pool}) {
        chart->x = roundAxis("Jahr", 0, ForecastYears);
        chart->legend = ui::LegendPlace::Right;
    }
    // Only the lowest chart labels the years: the plots line up, and the page is low.
    alive.x.title = alive.x.labelFormat = animals.x.title = animals.x.labelFormat = "";
    pool.share = 1.4; // the years' labels need room too
    // Low charts: few labels, or they are elided.
    alive.y = roundAxis("%", 0, 100, 2);
    animals.y = roundAxis("Tiere", 0, most, 2);
    pool.y = roundAxis("Wert", low, high, 2);
    return {alive, animals, pool};
}

} // namespace report
