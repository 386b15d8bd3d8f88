// Line and area charts described as plain data, rendered to PNG or SVG bytes without a display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

struct ChartPoint {
    double x = 0;
    double y = 0;
};

enum class SeriesKind {
    Line,    // `points` joined by a line
    Band,    // the area between `points` (upper edge) and `lower`, translucent
    Stacked, // a filled area on top of the chart's earlier Stacked series: each y is this
             // series' own share, the edges are the running sums. All Stacked series of a
             // chart give the same x values in the same order.
};

struct ChartSeries {
    SeriesKind kind = SeriesKind::Line;
    std::string name;        // the legend entry; every series has one
    std::int32_t colour = 0; // 0x00BBGGRR, as the game's colour tables
    std::vector<ChartPoint> points;
    std::vector<ChartPoint> lower; // Band only: its lower edge
};

struct ChartAxis {
    std::string title;
    double min = 0;
    double max = 1;
    int ticks = 6;                  // labelled grid lines, both ends included (>= 2)
    std::string labelFormat = "%g"; // printf format of one double
};

// One chart: title, axes and series, drawn in the order given (later ones on top).
struct Chart {
    std::string title;
    ChartAxis x;
    ChartAxis y;
    std::vector<ChartSeries> series;
};

enum class ChartFormat { Png, Svg };

// Renders `charts` stacked from top to bottom, each getting an equal share of `height`, with
// `heading` (when not empty) as a line of text above them all, into an image of width x height
// pixels, encoded as `format`. Creates a headless application when none exists (the offscreen
// platform), so it works without a display. False with a one-line message in `error`.
bool renderCharts(const std::string& heading, const std::vector<Chart>& charts, int width,
                  int height, ChartFormat format, std::string& bytes, std::string& error);

} // namespace ui
