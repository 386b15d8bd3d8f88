// Charts from their plain description: every kind of series drawn in its colour, sizes checked.
#include "ui/chart.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

namespace {

// Pixels of exactly `colour` (0x00BBGGRR) in a decoded picture.
int count(const ui::Picture& p, std::int32_t colour) {
    int n = 0;
    for (std::size_t i = 0; i + 2 < p.pixels.size(); i += std::size_t(p.channels))
        n += (p.pixels[i + 2] | p.pixels[i + 1] << 8 | p.pixels[i] << 16) == colour;
    return n;
}

// Two stacked areas (the second on top of the first, filled solid), a translucent band and a
// line over them; each is seen in the PNG in its own colour, the band blended with white.
TEST(Chart, EverySeriesKindIsDrawnInItsColour) {
    ui::Chart c{"Test", {"x", 0, 10, 6, "%.0f"}, {"y", 0, 10, 6, "%.0f"}, {}};
    const auto flat = [](double y) { return std::vector<ui::ChartPoint>{{0, y}, {10, y}}; };
    c.series = {{ui::SeriesKind::Stacked, "unten", 0x00A000, flat(3), {}},
                {ui::SeriesKind::Stacked, "oben", 0xA00000, flat(3), {}},
                {ui::SeriesKind::Band, "Band", 0x0000FF, flat(9), flat(7)},
                {ui::SeriesKind::Line, "Linie", 0x000000, {{0, 0}, {10, 10}}, {}}};
    std::string bytes, error;
    ASSERT_TRUE(ui::renderCharts("Kopf", {c, c}, 400, 700, ui::ChartFormat::Png, bytes, error))
        << error;
    ui::Picture p;
    ASSERT_TRUE(
        ui::decodePicture(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), p));
    EXPECT_EQ(std::make_pair(p.width, p.height), std::make_pair(400, 700));
    // Two charts of a plot area above 250 x 150 pixels: each area is 3/10 of its height.
    EXPECT_GT(count(p, 0x00A000), 2 * 250 * 45 * 3 / 10);
    EXPECT_GT(count(p, 0xA00000), 2 * 250 * 45 * 3 / 10);
    // Red at alpha 70 of 255 over white: blue and green 255 - 70, give or take rounding.
    int band = 0;
    for (int v = 184; v <= 186; ++v)
        band += count(p, v << 16 | v << 8 | 0xFF);
    EXPECT_GT(band, 2 * 250 * 30 * 2 / 10);
    EXPECT_GT(count(p, 0x000000), 2 * 200);

    EXPECT_FALSE(ui::renderCharts("", {c, c, c, c}, 400, 700, ui::ChartFormat::Svg, bytes, error));
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
