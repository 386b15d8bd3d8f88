// Turning the by-year figures into charts with German labels, as the game shows its texts.
#include "tools/sim/plot.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// 0x00BBGGRR. The genes' own colours, the yellow darkened so that it shows on white.
constexpr std::int32_t red = 0x0000D0, yellow = 0x00B8E0, blue = 0xD00000;
constexpr std::int32_t dark = 0x503010, shade = 0xE0A060, grey = 0x606060;

} // namespace

ui::ChartAxis niceAxis(const std::string& title, double lo, double hi) {
    if (hi - lo < 1) hi = lo + 1;
    const double rough = (hi - lo) / 8;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * power >= rough) {
            step = f * power;
            break;
        }
    ui::ChartAxis a;
    a.title = title;
    a.min = std::floor(lo / step) * step;
    a.max = std::ceil(hi / step) * step;
    a.ticks = int(std::lround((a.max - a.min) / step)) + 1;
    a.labelFormat = step >= 1 ? "%.0f" : "%.1f";
    return a;
}

namespace {

ui::ChartAxis percentAxis(const std::string& title) {
    return ui::ChartAxis{title, 0, 100, 6, "%.0f"};
}

template <typename Field>
ui::ChartSeries line(const std::vector<YearStats>& stats, const std::string& name,
                     std::int32_t colour, Field field, double scale = 1) {
    ui::ChartSeries s{ui::SeriesKind::Line, name, colour, {}, {}};
    for (const YearStats& y : stats)
        s.points.push_back({double(y.year), field(y) * scale});
    return s;
}

template <typename Upper, typename Lower>
ui::ChartSeries band(const std::vector<YearStats>& stats, const std::string& name,
                     std::int32_t colour, Upper upper, Lower lower, double scale = 1) {
    ui::ChartSeries s = line(stats, name, colour, upper, scale);
    s.kind = ui::SeriesKind::Band;
    s.lower = line(stats, name, colour, lower, scale).points;
    return s;
}

} // namespace

std::vector<ui::Chart> yearCharts(const std::vector<YearStats>& stats, bool restart) {
    const ui::ChartAxis years = niceAxis("Jahr", 0, double(stats.back().year));
    std::vector<ui::Chart> charts;

    ui::Chart& alive = charts.emplace_back();
    alive.title = "Überlebenswahrscheinlichkeit";
    alive.x = years;
    alive.y = percentAxis("lebende Herden (%)");
    alive.series.push_back(band(
        stats, "95-%-Intervall", shade, [](auto& y) { return y.pExtantHi; },
        [](auto& y) { return y.pExtantLo; }, 100));
    alive.series.push_back(line(
        stats, "Anteil lebender Herden", dark, [](auto& y) { return y.pExtant; }, 100));
    if (restart)
        alive.series.push_back(line(
            stats, "nie ausgestorben", grey, [](auto& y) { return y.pNeverDied; }, 100));

    ui::Chart& animals = charts.emplace_back();
    animals.title = "Tiere je Herde";
    animals.x = years;
    double most = 1;
    for (const YearStats& y : stats)
        most = std::max({most, y.animalsP90, y.animalsMean});
    animals.y = niceAxis("Tiere", 0, most);
    animals.series.push_back(band(
        stats, "10 bis 90 %", shade, [](auto& y) { return y.animalsP90; },
        [](auto& y) { return y.animalsP10; }));
    // Told apart by the dashes, not only by the shade, which a projector washes out.
    animals.series.push_back(line(stats, "Median", dark, [](auto& y) { return y.animalsMedian; }));
    ui::ChartSeries& mean = animals.series.emplace_back(
        line(stats, "Mittelwert", grey, [](auto& y) { return y.animalsMean; }));
    mean.style = ui::LineStyle::Dashed;

    ui::Chart& pool = charts.emplace_back();
    pool.title = "Genpool";
    pool.x = years;
    const auto [low, high] =
        std::minmax_element(stats.begin(), stats.end(), [](const YearStats& a, const YearStats& b) {
            return a.genepoolMean < b.genepoolMean;
        });
    pool.y = niceAxis("Genpool-Wert", low->genepoolMean, high->genepoolMean);
    pool.series.push_back(line(stats, "Mittelwert", dark, [](auto& y) { return y.genepoolMean; }));

    ui::Chart& colours = charts.emplace_back();
    colours.title = "Farbgene";
    colours.x = years;
    colours.y = percentAxis("Herden mit dem Gen (%)");
    const std::pair<const char*, std::int32_t> genes[] = {
        {"Rot", red}, {"Gelb", yellow}, {"Blau", blue}};
    for (int g = 0; g < 3; ++g)
        colours.series.push_back(line(
            stats, genes[g].first, genes[g].second,
            [g](auto& y) { return y.pPresent[std::size_t(FirstColourBit + g)]; }, 100));
    return charts;
}

std::string policyTitle(const std::vector<Policy>& policies) {
    std::string title;
    for (Policy p : policies)
        title += std::string(title.empty() ? "" : ", ") +
                 (p == Policy::Cull ? "Überzählige schießen" : "Leere Gebiete besetzen");
    return title.empty() ? "Ohne Eingriff" : title;
}

std::string chartHeading(const Options& o) {
    return std::to_string(o.runs) + (o.runs == 1 ? " Lauf" : " Läufe") + " zu " +
           std::to_string(o.years) + (o.years == 1 ? " Jahr" : " Jahren") +
           (o.restart ? " mit Neustart" : "") + ", Startwert " + std::to_string(o.seed) + ": " +
           policyTitle(o.policies);
}

bool renderPlot(const Options& options, const std::vector<YearStats>& stats, std::string& bytes,
                std::string& error) {
    return ui::renderCharts(chartHeading(options), yearCharts(stats, options.restart),
                            options.plotWidth, options.plotHeight, options.plotFormat, bytes,
                            error);
}

} // namespace sim
