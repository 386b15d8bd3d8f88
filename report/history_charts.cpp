// The charts of the report's page "Verlauf".
#include "report/history_charts.h"

#include "map/history.h"
#include "map/numbers.h"
#include "model/animal.h"
#include "model/builtin_data.h"
#include "report/round_axis.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace report {

namespace {

constexpr const char* geneNames[3] = {"Rot", "Gelb", "Blau"};

// Colours (0x00BBGGRR) of the three lines of "Tiere" and of the score.
constexpr std::int32_t AnimalsColour = 0x402010;
constexpr std::int32_t BirthsColour = 0x20A040;
constexpr std::int32_t DeathsColour = 0x2020C0;
constexpr std::int32_t ScoreColour = 0x000000;

std::string titled(const std::string& title) {
    if (map::HistoryStride <= 1) return title;
    return title + " (nur jedes " + std::to_string(map::HistoryStride) + ". Jahr gezeigt)";
}

ui::ChartSeries line(const std::string& name, std::int32_t colour) {
    ui::ChartSeries s;
    s.kind = ui::SeriesKind::Line;
    s.name = name;
    s.colour = colour;
    return s;
}

} // namespace

std::vector<ui::Chart> historyCharts() {
    const auto& h = map::History;
    const double first = h.empty() ? 0 : h.front().year;
    const double last = h.empty() ? 0 : h.back().year;

    ui::Chart animals;
    animals.title = titled("Tiere");
    animals.series = {line("Tiere", AnimalsColour), line("Geburten", BirthsColour),
                      line("Gestorben", DeathsColour)};
    double most = 0;
    for (const model::YearFigures& p : h) {
        const double x = p.year;
        animals.series[0].points.push_back({x, double(p.animals)});
        animals.series[1].points.push_back({x, double(p.births)});
        animals.series[2].points.push_back({x, double(p.deaths)});
        most = std::max({most, double(p.animals), double(p.births), double(p.deaths)});
    }
    animals.x = roundAxis("Jahr", first, last);
    animals.y = roundAxis("Anzahl", 0, most);
    animals.legend = ui::LegendPlace::Right;

    ui::Chart pool;
    pool.title = titled("Genpool");
    for (int k = 0; k < 9; ++k) {
        const std::int32_t g1 = model::Genes[std::size_t(k / 3)];
        const std::int32_t g2 = model::Genes[std::size_t(k % 3)];
        ui::ChartSeries s;
        s.kind = ui::SeriesKind::Stacked;
        s.name = std::string(geneNames[k / 3]) + "/" + geneNames[k % 3];
        s.colour =
            model::iconColours[std::size_t(model::iconForGenes(g1, g2) - map::FirstBigIcon)];
        for (const model::YearFigures& p : h)
            s.points.push_back({double(p.year), double(p.pairs[std::size_t(k)])});
        pool.series.push_back(std::move(s));
    }
    ui::ChartSeries score = line("Genpool-Wert", ScoreColour);
    double low = 0, high = 0, pairsHigh = 0;
    for (const model::YearFigures& p : h) {
        score.points.push_back({double(p.year), double(p.genePool)});
        double stacked = 0;
        for (std::int32_t n : p.pairs)
            stacked += n;
        pairsHigh = std::max(pairsHigh, stacked);
        low = std::min(low, double(p.genePool));
        high = std::max(high, double(p.genePool));
    }
    // While every pair and gene is there, the score is a count of animals and shares their
    // axis. A lost gene costs hundreds: then the score gets an axis of its own, so that the
    // pairs stay readable.
    score.rightAxis = low < 0;
    pool.series.push_back(std::move(score));
    pool.x = roundAxis("Jahr", first, last);
    if (low < 0) {
        pool.y = roundAxis("Tiere je Genpaar", 0, pairsHigh);
        pool.y2 = roundAxis("Genpool-Wert", low, high);
    } else {
        pool.y = roundAxis("Anzahl", 0, std::max(pairsHigh, high));
    }
    pool.legend = ui::LegendPlace::Right;
    return {animals, pool};
}

} // namespace report
