// Decoding: every PNG colour type and depth to 8-bit B,G,R(,A), and BMP / ICO through Qt.
#include "tests/picture/fixtures.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

using fixtures::Bytes;
using fixtures::PngImage;
using Pixel = std::array<int, 4>; // B, G, R, A

// Sample c of pixel (x, y): varied enough that swapped channels, rows or columns show.
int sample(int x, int y, int c) {
    return (x * 37 + y * 91 + c * 53 + 11) & 255;
}

PngImage eightBit(int colorType, int samplesPerPixel, int width, int height) {
    PngImage image{.width = width, .height = height, .colorType = colorType};
    for (int y = 0; y < height; ++y) {
        Bytes row;
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < samplesPerPixel; ++c)
                row.push_back(std::uint8_t(sample(x, y, c)));
        image.rows.push_back(row);
    }
    return image;
}

ui::Picture expected(int width, int height, int channels,
                     const std::function<Pixel(int, int)>& at) {
    ui::Picture picture{width, height, channels, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c)
                picture.pixels.push_back(std::uint8_t(at(x, y)[c]));
    return picture;
}

void expectDecodesTo(const Bytes& file, const ui::Picture& want) {
    ui::Picture got;
    ASSERT_TRUE(ui::decodePicture(file.data(), file.size(), got));
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.channels, want.channels);
    EXPECT_EQ(got.pixels, want.pixels);
}

Pixel fromRgba(int x, int y) {
    return {sample(x, y, 2), sample(x, y, 1), sample(x, y, 0), sample(x, y, 3)};
}

TEST(PngDecode, AlphaChannelOnlyWhereTheFileHasOne) {
    expectDecodesTo(fixtures::writePng(eightBit(PNG_COLOR_TYPE_RGB, 3, 5, 3)),
                    expected(5, 3, 3, fromRgba));
    expectDecodesTo(fixtures::writePng(eightBit(PNG_COLOR_TYPE_RGBA, 4, 5, 3)),
                    expected(5, 3, 4, fromRgba));
    expectDecodesTo(fixtures::writePng(eightBit(PNG_COLOR_TYPE_GRAY_ALPHA, 2, 4, 2)),
                    expected(4, 2, 4, [](int x, int y) {
                        const int grey = sample(x, y, 0);
                        return Pixel{grey, grey, grey, sample(x, y, 1)};
                    }));
}

TEST(PngDecode, LowBitGreyStretchesToFullRange) {
    for (int depth : {1, 2, 4}) {
        SCOPED_TRACE(depth);
        const int width = 7, height = 3, top = (1 << depth) - 1;
        PngImage image{
            .width = width, .height = height, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = depth};
        for (int y = 0; y < height; ++y) {
            std::vector<int> samples;
            for (int x = 0; x < width; ++x)
                samples.push_back((x + y * width) % (top + 1));
            image.rows.push_back(fixtures::packBits(samples, depth));
        }
        expectDecodesTo(fixtures::writePng(image), expected(width, height, 3, [&](int x, int y) {
                            const int grey = (x + y * width) % (top + 1) * 255 / top;
                            return Pixel{grey, grey, grey, 0};
                        }));
    }
}

TEST(PngDecode, TransparencyChunkIsDropped) {
    PngImage palette{.width = 4, .height = 2, .colorType = PNG_COLOR_TYPE_PALETTE};
    palette.palette = {{200, 10, 20}, {30, 40, 250}, {5, 6, 7}, {255, 255, 0}};
    for (int y = 0; y < 2; ++y)
        palette.rows.push_back(Bytes{0, 1, 2, 3});
    const ui::Picture paletteWant = expected(4, 2, 3, [&](int x, int) {
        const png_color c = palette.palette[std::size_t(x)];
        return Pixel{c.blue, c.green, c.red, 0};
    });
    expectDecodesTo(fixtures::writePng(palette), paletteWant);
    palette.paletteAlpha = {0, 128};
    expectDecodesTo(fixtures::writePng(palette), paletteWant);

    PngImage grey = eightBit(PNG_COLOR_TYPE_GRAY, 1, 4, 2);
    grey.transparentKey = true;
    grey.key.gray = png_uint_16(sample(1, 0, 0));
    expectDecodesTo(fixtures::writePng(grey), expected(4, 2, 3, [](int x, int y) {
                        return Pixel{sample(x, y, 0), sample(x, y, 0), sample(x, y, 0), 0};
                    }));

    PngImage rgb = eightBit(PNG_COLOR_TYPE_RGB, 3, 4, 2);
    rgb.transparentKey = true;
    rgb.key = {0, png_uint_16(sample(0, 0, 0)), png_uint_16(sample(0, 0, 1)),
               png_uint_16(sample(0, 0, 2)), 0};
    expectDecodesTo(fixtures::writePng(rgb), expected(4, 2, 3, fromRgba));
}

TEST(PngDecode, SixteenBitSamplesAreRoundedNotTruncated) {
    const std::vector<int> values = {0x0000, 0x0080, 0x12F0, 0x7FFF, 0x8080, 0xFF7F, 0xFFFF};
    PngImage image{.width = int(values.size()), .height = 1, .bitDepth = 16};
    Bytes row;
    for (int v : values) // red = v, green = v / 2, blue = ~v, big-endian
        for (int s : {v, v / 2, 0xFFFF - v})
            row.insert(row.end(), {std::uint8_t(s >> 8), std::uint8_t(s)});
    image.rows.push_back(row);
    const Bytes file = fixtures::writePng(image);
    const auto scaled = [](int v) { return (v * 255 + 32767) / 65535; };
    expectDecodesTo(file, expected(image.width, 1, 3, [&](int x, int) {
                        const int v = values[std::size_t(x)];
                        return Pixel{scaled(0xFFFF - v), scaled(v / 2), scaled(v), 0};
                    }));

    // 0x12F0 lies closer to 19 * 257 than to 18 * 257: rounding gives 19, the high byte 18.
    ui::Picture got;
    ASSERT_TRUE(ui::decodePicture(file.data(), file.size(), got));
    EXPECT_EQ(got.pixels[2 * 3 + 2], 19);
}

TEST(PngDecode, InterlacedMatchesThePixelsWritten) {
    PngImage rgba = eightBit(PNG_COLOR_TYPE_RGBA, 4, 13, 11);
    rgba.interlaced = true;
    expectDecodesTo(fixtures::writePng(rgba), expected(13, 11, 4, fromRgba));
    PngImage rgb = eightBit(PNG_COLOR_TYPE_RGB, 3, 3, 9);
    rgb.interlaced = true;
    expectDecodesTo(fixtures::writePng(rgb), expected(3, 9, 3, fromRgba));
}

TEST(ForeignFormats, BmpDecodesWithoutAlpha) {
    Bytes bgr;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            for (int c = 2; c >= 0; --c)
                bgr.push_back(std::uint8_t(sample(x, y, c)));
    expectDecodesTo(fixtures::writeBmp24(3, 2, bgr), expected(3, 2, 3, fromRgba));
}

TEST(ForeignFormats, IconsKeepTheirAlpha) {
    // Qt hands 32-bit icon images over premultiplied, so only opaque colours survive exactly.
    const Bytes bgra = {1, 2, 3, 255, 40, 50, 60, 0, 70, 80, 90, 255, 9, 8, 7, 0};
    ui::Picture got;
    const Bytes ico = fixtures::writeIcoBmp32(2, 2, bgra);
    ASSERT_TRUE(ui::decodePicture(ico.data(), ico.size(), got));
    ASSERT_EQ(got.channels, 4);
    ASSERT_EQ(got.pixels.size(), 16u);
    for (std::size_t i = 0; i < 16; i += 4) {
        EXPECT_EQ(got.pixels[i + 3], bgra[i + 3]);
        if (bgra[i + 3] == 255) {
            EXPECT_EQ(Bytes(got.pixels.begin() + long(i), got.pixels.begin() + long(i) + 3),
                      Bytes(bgra.begin() + long(i), bgra.begin() + long(i) + 3));
        }
    }

    const PngImage inner = eightBit(PNG_COLOR_TYPE_RGBA, 4, 3, 2);
    expectDecodesTo(fixtures::writeIcoPng(3, 2, fixtures::writePng(inner)),
                    expected(3, 2, 4, fromRgba));
}

TEST(ForeignFormats, EverythingElseIsRefused) {
    // Formats Qt itself would decode, and headers too short for any format.
    const std::string ppm("P6 1 1 255\n\x01\x02\x03", 14);
    const std::string xpm =
        "/* XPM */\nstatic char *p[] = {\"1 1 1 1\", \"a c #FF0000\", \"a\"};\n";
    const std::string gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
    ui::Picture out{1, 1, 3, {1, 2, 3}};
    for (const std::string& file : {ppm, xpm, gif, std::string("BM"), std::string()}) {
        EXPECT_FALSE(ui::decodePicture(reinterpret_cast<const std::uint8_t*>(file.data()),
                                       file.size(), out));
        EXPECT_TRUE(out.pixels.empty());
    }
    EXPECT_FALSE(ui::decodePicture(nullptr, 10, out));
}

} // namespace
