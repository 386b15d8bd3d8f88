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

// How a Line is drawn, so that lines tell apart without their colours.
enum class LineStyle { Solid, Dashed, Dotted };

struct ChartSeries {
    SeriesKind kind = SeriesKind::Line;
    std::string name;        // the legend entry; every series has one
    std::int32_t colour = 0; // 0x00BBGGRR, as the game's colour tables
    std::vector<ChartPoint> points;
    std::vector<ChartPoint> lower; // Band only: its lower edge
    bool rightAxis = false;        // measured on the chart's y2 axis at the right
    LineStyle style = LineStyle::Solid; // Line only
    bool inLegend = true; // false for a series its neighbour's legend entry already names
};

struct ChartAxis {
    std::string title;
    double min = 0;
    double max = 1;
    int ticks = 6;                  // labelled grid lines, both ends included (>= 2)
    std::string labelFormat = "%g"; // printf format of one double
};

enum class LegendPlace { Bottom, Right };

// One chart: title, axes and series, drawn in the order given (later ones on top).
struct Chart {
    std::string title;
    ChartAxis x;
    ChartAxis y;
    std::vector<ChartSeries> series;
    LegendPlace legend = LegendPlace::Bottom; // Right suits many short names in a low chart
    ChartAxis y2 = {};                        // shown only when a series is measured on it
};

enum class ChartFormat { Png, Svg };

// Renders `charts` stacked from top to bottom, each getting an equal share of `height`, with
// `heading` (when not empty) as a line of text above them all, into an image of width x height
// pixels, encoded as `format`. A picture wider than tall gets two columns of charts, filled
// row by row, so that each chart keeps a useful height. Creates a headless application when
// none exists (the offscreen platform), so it works without a display. False with a one-line
// message in `error`.
bool renderCharts(const std::string& heading, const std::vector<Chart>& charts, int width,
                  int height, ChartFormat format, std::string& bytes, std::string& error);

// A control showing `charts` stacked from top to bottom, as renderCharts draws them, on the
// current parent (a window or a tab page). It reports no events.
bool createChartControl(int number, int x, int y, int width, int height,
                        const std::vector<Chart>& charts);

// Shows `charts` in chart control `number` instead of what it showed; false when there is no
// such control or nothing to show.
bool setChartControlCharts(int number, const std::vector<Chart>& charts);

// The number of charts a chart control shows, or of series in its chart `chart`; -1 when there
// is no such control or chart.
int chartCount(int control);
int chartSeriesCount(int control, int chart);

// Points of series `series` of chart `chart` (both from 0, top to bottom and in the order
// given) as the chart control shows them; -1 when there is no such control, chart or series.
int chartPointCount(int control, int chart, int series);

} // namespace ui
