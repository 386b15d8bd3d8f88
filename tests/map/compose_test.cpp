// Composing the map frame: background choice, icon placement, alpha, order and the carried one.
#include "map/compose.h"
#include "model/herd.h"
#include "model/tables.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t plain = 0x204060; // colours as read back: 0x00BBGGRR
constexpr std::int32_t bordered = 0x604020;

ui::Picture solid(int w, int h, int channels, std::int32_t colour, int alpha = 255) {
    ui::Picture p;
    p.width = w;
    p.height = h;
    p.channels = channels;
    for (int i = 0; i < w * h; ++i) {
        p.pixels.push_back(std::uint8_t(colour >> 16));
        p.pixels.push_back(std::uint8_t(colour >> 8));
        p.pixels.push_back(std::uint8_t(colour));
        if (channels == 4) p.pixels.push_back(std::uint8_t(alpha));
    }
    return p;
}

std::int32_t pixel(int x, int y) {
    ui::openDrawing(model::WorkMapPicture);
    const std::int32_t v = ui::readPixel(x, y);
    ui::closeDrawing();
    return v;
}

class Compose : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::setPicture(model::PlainMapPicture, solid(300, 300, 3, plain));
        ui::setPicture(model::BorderMapPicture, solid(300, 300, 3, bordered));
        ui::setPicture(model::WorkMapPicture, solid(300, 300, 3, 0));
        // Red icons: big 24 x 24 in one colour, small 14 x 14 in another, each with a
        // transparent pixel at (1, 1).
        ui::Picture big = solid(24, 24, 4, 0x0000F0);
        big.pixels[(1 * 24 + 1) * 4 + 3] = 0;
        ui::setPicture(5, big);
        ui::Picture small = solid(14, 14, 4, 0x0000A0);
        small.pixels[(1 * 14 + 1) * 4 + 3] = 0;
        ui::setPicture(11, small);
        ui::setPicture(6, solid(24, 24, 4, 0x00F0F0)); // yellow
        model::herdClear();
    }
    static model::Animal& animal(int x, int y, int sizeClass, int icon = 5) {
        model::Animal& a = model::herdAppend();
        a.x = x;
        a.y = y;
        a.sizeClass = sizeClass;
        a.iconPicture = icon;
        return a;
    }
};

TEST_F(Compose, IconsSitOnTheirFootprintWithAlpha) {
    animal(100, 200, 1);
    animal(200, 100, 2);
    int carried = 0;
    ASSERT_TRUE(map::composeMap(false, nullptr, carried));
    EXPECT_EQ(carried, -1);
    // Young: small icon from (93, 193) to (106, 206).
    EXPECT_EQ(pixel(93, 193), 0x0000A0);
    EXPECT_EQ(pixel(106, 206), 0x0000A0);
    EXPECT_EQ(pixel(94, 194), plain); // its transparent pixel
    EXPECT_EQ(pixel(92, 193), plain);
    EXPECT_EQ(pixel(107, 206), plain);
    // Grown: big icon from (188, 88) to (211, 111).
    EXPECT_EQ(pixel(188, 88), 0x0000F0);
    EXPECT_EQ(pixel(211, 111), 0x0000F0);
    EXPECT_EQ(pixel(187, 88), plain);
    EXPECT_EQ(pixel(212, 111), plain);
}

TEST_F(Compose, BackgroundFollowsTheBordersSwitchAndCoversTheLastFrame) {
    animal(50, 50, 2);
    int carried = 0;
    map::composeMap(true, nullptr, carried);
    EXPECT_EQ(pixel(5, 5), bordered);
    model::herdClear();
    map::composeMap(false, nullptr, carried);
    EXPECT_EQ(pixel(5, 5), plain);
    EXPECT_EQ(pixel(50, 50), plain); // the animal of the last frame is gone
}

TEST_F(Compose, LaterAnimalsOnTopAndTheCarriedOneOnlyInItsIndicator) {
    animal(150, 150, 2, 5);
    animal(150, 150, 2, 6);
    model::Animal& young = animal(60, 60, 1, 5);
    int carried = 0;
    map::composeMap(false, &young, carried);
    EXPECT_EQ(pixel(150, 150), 0x00F0F0);
    EXPECT_EQ(carried, 5); // the big icon even for a young one
    EXPECT_EQ(pixel(60, 60), plain);
}

TEST_F(Compose, MissingPicturesDrawNothingAndNeverCrash) {
    animal(-5, 5, 2); // partly off the map
    animal(2000000000, -2000000000, 2);
    animal(40, 40, 3); // no such size: not drawn
    ui::freePicture(11);
    animal(80, 80, 1); // small icon missing: invisible
    int carried = 0;
    ASSERT_TRUE(map::composeMap(false, nullptr, carried));
    EXPECT_EQ(pixel(0, 0), 0x0000F0);
    EXPECT_EQ(pixel(40, 40), plain);
    EXPECT_EQ(pixel(80, 80), plain);

    ui::freePicture(model::WorkMapPicture);
    carried = 7;
    EXPECT_FALSE(map::composeMap(false, nullptr, carried));
    EXPECT_EQ(carried, 7);
    EXPECT_EQ(ui::openDrawingNumber(), -1);
}

} // namespace
