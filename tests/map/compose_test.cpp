// Composing the map frame, against a frame painted here pixel by pixel.
#include "map/compose.h"
#include "model/herd.h"
#include "model/numbers.h"
#include "tests/support/support.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using support::solid;

// The background, then each drawn animal's icon over its footprint (7 or 12 pixels on each side
// of its position), later animals on top, transparent pixels left out.
ui::Picture expectedFrame(bool borders, const model::Animal* carried) {
    ui::Picture frame = *ui::pictureHandle(borders ? 1 : 0);
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        const long half = it->sizeClass == 1 ? 7 : 12;
        const ui::Picture* icon =
            ui::pictureHandle(it->sizeClass == 1 ? it->iconPicture + 6 : it->iconPicture);
        if (&*it == carried || it->sizeClass < 1 || it->sizeClass > 2 || !icon) continue;
        for (long y = 0; y < icon->height; ++y)
            for (long x = 0; x < icon->width; ++x) {
                const long fx = it->x - half + x, fy = it->y - half + y;
                const auto* s = &icon->pixels[std::size_t(y * icon->width + x) * 4];
                if (fx < 0 || fy < 0 || fx >= frame.width || fy >= frame.height || s[3] == 0)
                    continue;
                std::copy(s, s + 3, &frame.pixels[std::size_t(fy * frame.width + fx) * 3]);
            }
    }
    return frame;
}

model::Animal& animal(int x, int y, int sizeClass, int icon = 5) {
    model::Animal& a = model::herdAppend();
    std::tie(a.x, a.y, a.sizeClass, a.iconPicture) = std::tie(x, y, sizeClass, icon);
    return a;
}

TEST(Compose, BackgroundThenEveryAnimalButTheCarriedOneInHerdOrder) {
    ui::setPicture(model::PlainMapPicture, solid(300, 300, 3, 0x204060));
    ui::setPicture(model::BorderMapPicture, solid(300, 300, 3, 0x604020));
    ui::setPicture(model::WorkMapPicture, solid(300, 300, 3, 0x999999));
    // Red big and small icons with a transparent pixel at (1, 1); a yellow big one.
    ui::Picture big = solid(24, 24, 4, 0x0000F0), small = solid(14, 14, 4, 0x0000A0);
    big.pixels[(1 * 24 + 1) * 4 + 3] = small.pixels[(1 * 14 + 1) * 4 + 3] = 0;
    ui::setPicture(5, big);
    ui::setPicture(11, small);
    ui::setPicture(6, solid(24, 24, 4, 0x00F0F0));
    model::herdClear();
    animal(100, 200, 1);
    animal(200, 100, 2);
    animal(150, 150, 2);
    animal(160, 150, 2, 6);
    const model::Animal& carried = animal(60, 60, 1, 6);
    animal(-5, 5, 2);
    animal(295, 290, 1);
    animal(40, 40, 3);
    animal(2000000000, -2000000000, 2);
    animal(INT_MAX, INT_MIN, 2);

    int carriedIcon = 0;
    ASSERT_TRUE(map::composeMap(false, &carried, carriedIcon));
    EXPECT_EQ(carriedIcon, 6); // the big icon, even of a young one
    EXPECT_EQ(ui::pictureHandle(model::WorkMapPicture)->pixels,
              expectedFrame(false, &carried).pixels);
    EXPECT_EQ(support::pixelOf(model::WorkMapPicture, 93, 193), 0x0000A0); // a corner, as drawn

    ui::freePicture(11); // a lost small icon leaves the young invisible
    ASSERT_TRUE(map::composeMap(true, nullptr, carriedIcon));
    EXPECT_EQ(carriedIcon, -1);
    EXPECT_EQ(ui::pictureHandle(model::WorkMapPicture)->pixels,
              expectedFrame(true, nullptr).pixels);
    EXPECT_EQ(ui::openDrawingNumber(), -1);

    ui::freePicture(model::WorkMapPicture);
    carriedIcon = 7;
    EXPECT_FALSE(map::composeMap(false, nullptr, carriedIcon));
    EXPECT_EQ(carriedIcon, 7);
    EXPECT_EQ(ui::openDrawingNumber(), -1);
}

} // namespace
