// Charts from their plain description, drawn as committed.
#include "ui/chart.h"
#include "ui/picture.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

bool decode(const std::string& bytes, ui::Picture& p) {
    return ui::decodePicture(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), p);
}

// Every kind of series, fill, line style, legend place and the single-year bars with their
// values, in two columns under a heading, as committed in tests/golden/charts.png (rewritten
// with SELVO_UPDATE_GOLDEN=1, like the other golden files). A place or pattern moved by a pixel
// shows; rounding in the blending of antialiased edges does not.
TEST(Chart, DrawnAsCommitted) {
    const auto flat = [](double y) { return std::vector<ui::ChartPoint>{{0, y}, {5, y}, {10, y}}; };
    ui::Chart areas{"Flächen", {"x", 0, 10, 6, "%.0f"}, {"y", 0, 10, 6, "%.0f"}, {}};
    areas.series = {{ui::SeriesKind::Stacked, "unten", 0x00A000, {{0, 1}, {5, 3}, {10, 2}}, {}},
                    {ui::SeriesKind::Stacked, "Streifen", 0xA00000, flat(3), {}},
                    {ui::SeriesKind::Stacked, "Punkte", 0x30E0F0, flat(2), {}},
                    {ui::SeriesKind::Band, "Band", 0x0000FF, flat(9.5), flat(8.5)},
                    {ui::SeriesKind::Line, "Linie", 0x000000, {{0, 0}, {10, 10}}, {}}};
    areas.series[1].fill = ui::Fill::Stripes;
    areas.series[2].fill = ui::Fill::Dots;
    ui::Chart lines{"Linien", {"Jahr", 0, 4, 5, "%.0f"}, {"", -1, 1, 3, "%.1f"}, {}};
    lines.series = {{ui::SeriesKind::Line, "gestrichelt", 0x0000C0, {{0, -1}, {4, 1}}, {}},
                    {ui::SeriesKind::Line, "gepunktet", 0x008000, {{0, 1}, {4, -1}}, {}},
                    {ui::SeriesKind::Line, "rechts", 0x800080, {{0, 20}, {4, 80}}, {}}};
    lines.series[0].style = ui::LineStyle::Dashed;
    lines.series[1].style = ui::LineStyle::Dotted;
    lines.series[2].rightAxis = true;
    lines.y2 = {"rechts", 0, 100, 3, "%.0f"};
    lines.legend = ui::LegendPlace::Right;
    ui::Chart bars{"Ein Jahr", {"", 0, 2, 1, ""}, {"", 0, 10, 3, "%.0f"}, {}};
    bars.series = {{ui::SeriesKind::Stacked, "a", 0x00A000, {{1, 4}}, {}},
                   {ui::SeriesKind::Stacked, "b", 0xA00000, {{1, 3}}, {}}};
    std::string bytes, error;
    ASSERT_TRUE(ui::renderCharts("Kopf", {areas, lines, bars}, 900, 600, ui::ChartFormat::Png,
                                 bytes, error))
        << error;
    const std::string path = "tests/golden/charts.png"; // tests run in the source folder;
    const char* update = std::getenv("SELVO_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") std::ofstream(path, std::ios::binary) << bytes;
    ui::Picture got, want;
    std::ifstream in(path, std::ios::binary);
    const std::string committed{std::istreambuf_iterator<char>(in), {}};
    ASSERT_TRUE(decode(bytes, got));
    ASSERT_TRUE(decode(committed, want)) << path;
    ASSERT_EQ(std::make_pair(got.width, got.height), std::make_pair(want.width, want.height));
    int differ = 0;
    for (std::size_t i = 0; i < got.pixels.size(); ++i)
        differ += std::abs(got.pixels[i] - want.pixels[i]) > 24;
    const std::string seen = ::testing::TempDir() + "charts.png";
    if (differ > 0) std::ofstream(seen, std::ios::binary) << bytes;
    EXPECT_EQ(differ, 0) << "channels differ; the picture drawn is " << seen;

    EXPECT_FALSE(ui::renderCharts("", {areas, areas, areas, areas}, 400, 700, ui::ChartFormat::Svg,
                                  bytes, error));
    EXPECT_EQ(error, "the charts do not fit into 400 x 700 pixels");
}

// Qt's SVG writer drops picture fills: a patterned area's fill names a pattern instead, and no
// stand-in colour is left.
TEST(Chart, PatternsAlsoInSvg) {
    ui::Chart c{"", {"x", 0, 10, 6, "%.0f"}, {"y", 0, 10, 6, "%.0f"}, {}};
    c.series = {{ui::SeriesKind::Stacked, "Streifen", 0x30E0F0, {{0, 8}, {10, 8}}, {}}};
    c.series[0].fill = ui::Fill::Stripes;
    std::string bytes, error;
    ASSERT_TRUE(ui::renderCharts("", {c}, 400, 300, ui::ChartFormat::Svg, bytes, error)) << error;
    EXPECT_NE(bytes.find("<pattern id=\"fill0\""), std::string::npos);
    EXPECT_NE(bytes.find("fill=\"url(#fill0)\""), std::string::npos);
    EXPECT_EQ(bytes.find("#010201"), std::string::npos);
}

} // namespace
