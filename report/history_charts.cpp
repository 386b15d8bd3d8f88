// The charts of the report's page "Verlauf".
#include "report/history_charts.h"

#include "map/history.h"
#include "map/numbers.h"
#include "model/animal.h"
#include "model/builtin_data.h"
#include "report/round_axis.h"

#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr const char* geneNames[3] = {"Rot", "Gelb", "Blau"};
// The pattern of a pair's first gene: two pairs of one icon colour differ in it.
constexpr ui::Fill firstGeneFill[3] = {ui::Fill::Plain, ui::Fill::Stripes, ui::Fill::Dots};

// Colours (0x00BBGGRR) of the series of "Tiere" and of the score.
constexpr std::int32_t AnimalsColour = 0x402010;
constexpr std::int32_t BirthsColour = 0x20A040;
constexpr std::int32_t CarriedColour = 0xA03C8C;
constexpr std::int32_t OldAgeColour = 0xA8A8A8;
constexpr std::int32_t WeaknessColour = 0x3C50D2;
constexpr std::int32_t ShotColour = 0x1E4E7E;
constexpr std::int32_t ScoreColour = 0x000000;

// Only the lowest chart labels the axis: the plot areas and their grids line up, and the page
// has no height to spare.
ui::ChartAxis yearAxis(bool labelled) {
    const auto& h = map::History;
    ui::ChartAxis axis;
    if (h.size() != 1) {
        axis = roundAxis("Jahr", h.empty() ? 0 : h.front().year, h.empty() ? 0 : h.back().year);
    } else {
        const double year = h.front().year;
        axis = ui::ChartAxis{"Jahr", year - 1, year + 1, 1, "%.0f"}; // the year in the middle
    }
    if (!labelled) axis.title = axis.labelFormat = "";
    return axis;
}

std::string titled(const std::string& title) {
    if (map::HistoryStride <= 1) return title;
    return title + " (nur jedes " + std::to_string(map::HistoryStride) + ". Jahr gezeigt)";
}

ui::ChartSeries series(ui::SeriesKind kind, const std::string& name, std::int32_t colour,
                       std::int32_t model::YearFigures::*figure) {
    ui::ChartSeries s;
    s.kind = kind;
    s.name = name;
    s.colour = colour;
    for (const model::YearFigures& p : map::History)
        s.points.push_back({double(p.year), double(p.*figure)});
    return s;
}

ui::Chart animalsChart() {
    using model::YearFigures;
    using ui::SeriesKind;
    ui::Chart c;
    c.title = titled("Tiere");
    // The losses first, stacked at the bottom; the lines over them. The legend lists them top
    // down, the lines first.
    c.series = {
        series(SeriesKind::Stacked, "Gestorben (Alter)", OldAgeColour, &YearFigures::oldAgeDeaths),
        series(SeriesKind::Stacked, "Gestorben (Schwäche)", WeaknessColour,
               &YearFigures::weaknessDeaths),
        series(SeriesKind::Stacked, "Geschossen", ShotColour, &YearFigures::shot),
        series(SeriesKind::Line, "Umgesetzt", CarriedColour, &YearFigures::carried),
        series(SeriesKind::Line, "Geburten", BirthsColour, &YearFigures::births),
        series(SeriesKind::Line, "Tiere", AnimalsColour, &YearFigures::animals)};
    c.series[1].fill = ui::Fill::Stripes;
    c.series[2].fill = ui::Fill::Dots;
    c.series[3].style = ui::LineStyle::Dashed;
    double most = 0;
    for (const YearFigures& p : map::History)
        most = std::max({most, double(p.animals), double(p.births), double(p.carried),
                         double(p.oldAgeDeaths + p.weaknessDeaths + p.shot)});
    c.x = yearAxis(false);
    c.y = roundAxis("Anzahl", 0, most);
    c.legend = ui::LegendPlace::Right;
    c.share = 1.0;
    return c;
}

ui::Chart pairsChart() {
    ui::Chart c;
    c.title = titled("Genpaare (1. Gen/2. Gen)");
    double most = 0;
    for (int k = 0; k < 9; ++k) {
        const std::int32_t g1 = model::Genes[std::size_t(k / 3)];
        const std::int32_t g2 = model::Genes[std::size_t(k % 3)];
        ui::ChartSeries s;
        s.kind = ui::SeriesKind::Stacked;
        s.name = pairName(k);
        s.colour = model::iconColours[std::size_t(model::iconForGenes(g1, g2) - map::FirstBigIcon)];
        s.fill = firstGeneFill[k / 3];
        for (const model::YearFigures& p : map::History)
            s.points.push_back({double(p.year), double(p.pairs[std::size_t(k)])});
        c.series.push_back(std::move(s));
    }
    for (const model::YearFigures& p : map::History) {
        double stacked = 0;
        for (std::int32_t n : p.pairs)
            stacked += n;
        most = std::max(most, stacked);
    }
    c.x = yearAxis(false);
    c.y = roundAxis("Tiere", 0, most);
    c.legend = ui::LegendPlace::Right;
    c.share = 1.4; // room for the nine legend entries
    return c;
}

ui::Chart scoreChart() {
    ui::Chart c;
    c.title = titled("Genpool-Wert");
    c.series = {
        series(ui::SeriesKind::Line, "Genpool-Wert", ScoreColour, &model::YearFigures::genePool)};
    double low = 0, high = 0; // 0 always shown: above it every gene is there
    for (const model::YearFigures& p : map::History) {
        low = std::min(low, double(p.genePool));
        high = std::max(high, double(p.genePool));
    }
    c.x = yearAxis(true);
    c.y = roundAxis("Punkte", low, high, 2); // a low chart: few labels
    c.legend = ui::LegendPlace::None;        // the title names its only line
    c.share = 0.75;
    return c;
}

} // namespace

std::string pairName(int k) {
    return std::string(geneNames[k / 3]) + "/" + geneNames[k % 3];
}

std::vector<ui::Chart> historyCharts() {
    return {animalsChart(), pairsChart(), scoreChart()};
}

} // namespace report
