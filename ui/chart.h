// Line and area charts described as plain data, rendered to PNG or SVG bytes without a display.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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

// What fills a Stacked or Band area over its colour: a pattern tells apart two areas of one
// colour, also for a reader who does not see the colours apart.
enum class Fill { Plain, Stripes, Dots };

// How a Line is drawn, so that lines tell apart without their colours.
enum class LineStyle { Solid, Dashed, Dotted };

struct ChartSeries {
    SeriesKind kind = SeriesKind::Line;
    std::string name;        // the legend entry; every series has one
    std::int32_t colour = 0; // 0x00BBGGRR, as the game's colour tables
    std::vector<ChartPoint> points;
    std::vector<ChartPoint> lower;      // Band only: its lower edge
    bool rightAxis = false;             // measured on the chart's y2 axis at the right
    Fill fill = Fill::Plain;            // Stacked and Band
    LineStyle style = LineStyle::Solid; // Line only
    bool inLegend = true; // false for a series its neighbour's legend entry already names
};

struct ChartAxis {
    std::string title;
    double min = 0;
    double max = 1;
    int ticks = 6;                  // labelled grid lines, both ends included; 1: one in the middle
    std::string labelFormat = "%g"; // printf format of one double; "" shows no labels
};

enum class LegendPlace { Bottom, Right, None };

// One chart: title, axes and series, drawn in the order given (later ones on top). A chart with
// Stacked series lists its legend from the last series to the first, so that the legend reads
// top down as the stack does. When every series has a single point, each Stacked series is a
// bar around that x (a fifth of the x axis wide) and every series shows its value beside it.
struct Chart {
    std::string title;
    ChartAxis x;
    ChartAxis y;
    std::vector<ChartSeries> series;
    LegendPlace legend = LegendPlace::Bottom; // Right suits many short names in a low chart
    ChartAxis y2 = {};                        // shown only when a series is measured on it
    double share = 1; // of the height the charts are given, against the other charts' shares
};

enum class ChartFormat { Png, Svg };

// The picture type a file name's ending asks for (.png, .svg, in any case); false for another.
bool chartFormatOf(std::string_view path, ChartFormat& format);

// Renders `charts` stacked from top to bottom, each getting its share of `height`, with
// `heading` (when not empty) as a line of text above them all, into an image of width x height
// pixels, encoded as `format`. A picture wider than tall gets two columns of charts, filled
// row by row, so that each chart keeps a useful height. Creates a headless application when
// none exists (the offscreen platform), so it works without a display. False with a one-line
// message in `error`.
bool renderCharts(const std::string& heading, const std::vector<Chart>& charts, int width,
                  int height, ChartFormat format, std::string& bytes, std::string& error);

enum ChartControlFlags : unsigned {
    ChartCompact = 1,      // small type and tight margins, for a chart among other controls
    ChartFollowsWindow = 2 // grows and shrinks with its window: the distances to the window's
                           // right and bottom edges stay as created
};

// A control showing `charts` stacked from top to bottom, as renderCharts draws them, on the
// current parent (a window or a tab page). It reports no events.
bool createChartControl(int number, int x, int y, int width, int height,
                        const std::vector<Chart>& charts, unsigned flags = ChartCompact);

// Shows `charts` in chart control `number` instead of what it showed; false when there is no
// such control or nothing to show.
bool setChartControlCharts(int number, const std::vector<Chart>& charts);

// The number of charts a chart control shows, or of series in its chart `chart`; -1 when there
// is no such control or chart.
int chartCount(int control);
int chartSeriesCount(int control, int chart);

// One legend entry of a chart control as shown, for tests.
struct LegendEntry {
    std::string name;
    std::uint64_t look = 0; // a digest of a swatch drawn with the entry's pen and fill
    bool marked = false;    // its data shows as more than a bare point: a line, an area or a
                            // point marker
    bool shown = true;      // false for a series named elsewhere (by the title, another chart)
};

// The legend of chart `chart` (from 0, top to bottom) of chart control `control`, from the top,
// also where it is hidden; empty when there is no such control or chart.
std::vector<LegendEntry> chartLegend(int control, int chart);

// Points of series `series` of chart `chart` (both from 0, top to bottom and in the order
// given) as the chart control shows them; -1 when there is no such control, chart or series.
int chartPointCount(int control, int chart, int series);

} // namespace ui
