// Charts from their plain description, drawn as committed.
#include "tests/support/support.h"
#include "ui/chart.h"
#include "ui/picture.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

bool decode(const std::string& bytes, ui::Picture& p) {
    return ui::decodePicture(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), p);
}

// Every series kind, fill, line style, legend place and single-year bars, in two columns under
// a heading, as in golden/charts.png: a pixel moved shows, rounding at antialiased edges not.
TEST(Chart, DrawnAsCommitted) {
    const auto flat = [](double y) { return std::vector<ui::ChartPoint>{{0, y}, {5, y}, {10, y}}; };
    ui::Chart areas{"Flächen", {"x", 0, 10, 6, "%.0f"}, {"y", 0, 10, 6, "%.0f"}, {}};
    using K = ui::SeriesKind;
    areas.series = {{K::Stacked, "unten", 0x00A000, {{0, 1}, {5, 3}, {10, 2}}, {}},
                    {K::Stacked, "Streifen", 0xA00000, flat(3), {}, false, ui::Fill::Stripes},
                    {K::Stacked, "Punkte", 0x30E0F0, flat(2), {}, false, ui::Fill::Dots},
                    {K::Band, "Band", 0x0000FF, flat(9.5), flat(8.5)},
                    {K::Line, "Linie", 0x000000, {{0, 0}, {10, 10}}, {}}};
    ui::Chart lines{"Linien", {"Jahr", 0, 4, 5, "%.0f"}, {"", -1, 1, 3, "%.1f"}, {}};
    const auto line = [](const char* name, int colour, double from, double to, bool right) {
        return ui::ChartSeries{K::Line, name, colour, {{0, from}, {4, to}}, {}, right};
    };
    lines.series = {line("gestrichelt", 0x0000C0, -1, 1, false),
                    line("gepunktet", 0x008000, 1, -1, false),
                    line("rechts", 0x800080, 20, 80, true)};
    lines.series[0].style = ui::LineStyle::Dashed;
    lines.series[1].style = ui::LineStyle::Dotted;
    lines.y2 = {"rechts", 0, 100, 3, "%.0f"};
    lines.legend = ui::LegendPlace::Right;
    ui::Chart bars{"Ein Jahr", {"", 0, 2, 1, ""}, {"", 0, 10, 3, "%.0f"}, {}};
    bars.series = {{K::Stacked, "a", 0x00A000, {{1, 4}}, {}},
                   {K::Stacked, "b", 0xA00000, {{1, 3}}, {}}};
    std::string bytes, error;
    ASSERT_TRUE(ui::renderCharts("Kopf", {areas, lines, bars}, 900, 600, ui::ChartFormat::Png,
                                 bytes, error))
        << error;
    const std::string path = "tests/golden/charts.png"; // tests run in the source folder;
    const char* update = std::getenv("SELVO_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") std::ofstream(path, std::ios::binary) << bytes;
    ui::Picture got, want;
    const std::string committed = support::fileBytes(path);
    ASSERT_TRUE(decode(bytes, got) && decode(committed, want)) << path;
    ASSERT_EQ(std::make_pair(got.width, got.height), std::make_pair(want.width, want.height));
    int differ = 0;
    for (std::size_t i = 0; i < got.pixels.size(); ++i)
        differ += std::abs(got.pixels[i] - want.pixels[i]) > 24;
    const std::string seen = ::testing::TempDir() + "charts.png";
    if (differ > 0) std::ofstream(seen, std::ios::binary) << bytes;
    EXPECT_EQ(differ, 0) << "channels differ; the picture drawn is " << seen;

    // Qt's SVG writer drops picture fills: a patterned area's fill names a pattern instead, and
    // no stand-in colour is left.
    ASSERT_TRUE(ui::renderCharts("", {areas}, 400, 300, ui::ChartFormat::Svg, bytes, error));
    EXPECT_NE(bytes.find("<pattern id=\"fill1\""), std::string::npos);
    EXPECT_NE(bytes.find("fill=\"url(#fill1)\""), std::string::npos);
    EXPECT_EQ(bytes.find("\"#0102"), std::string::npos);
    EXPECT_FALSE(ui::renderCharts("", {areas, areas, areas, areas}, 400, 700, ui::ChartFormat::Svg,
                                  bytes, error));
    EXPECT_EQ(error, "the charts do not fit into 400 x 700 pixels");
}

} // namespace
