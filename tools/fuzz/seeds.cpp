// The fuzzer's starting files, written with the picture tests' file writers.
#include "tools/fuzz/seeds.h"

#include "tools/fuzz/files.h"

namespace fuzz {

namespace {

// 8-bit rows of `samples` samples per pixel, varied so that every byte of a row differs.
fuzz::PngImage eightBit(int colorType, int samples, int width, int height) {
    fuzz::PngImage image{.width = width, .height = height, .colorType = colorType};
    for (int y = 0; y < height; ++y) {
        Bytes row;
        for (int i = 0; i < width * samples; ++i)
            row.push_back(std::uint8_t(i * 37 + y * 91 + 11));
        image.rows.push_back(row);
    }
    return image;
}

fuzz::PngImage palette() {
    fuzz::PngImage image{.width = 5, .height = 3, .colorType = PNG_COLOR_TYPE_PALETTE};
    image.palette = {{200, 10, 20}, {30, 40, 250}, {5, 6, 7}, {255, 255, 0}};
    image.paletteAlpha = {0, 128, 255};
    for (int y = 0; y < image.height; ++y)
        image.rows.push_back(fuzz::packBits({0, 1, 2, 3, y}, 8));
    return image;
}

fuzz::PngImage lowBitGrey() {
    fuzz::PngImage image{.width = 9, .height = 2, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = 2};
    for (int y = 0; y < image.height; ++y)
        image.rows.push_back(fuzz::packBits({0, 1, 2, 3, 3, 2, 1, 0, y}, 2));
    return image;
}

fuzz::PngImage sixteenBitGrey() {
    fuzz::PngImage image = eightBit(PNG_COLOR_TYPE_GRAY, 2, 4, 3);
    image.bitDepth = 16;
    return image;
}

fuzz::PngImage interlaced() {
    fuzz::PngImage image = eightBit(PNG_COLOR_TYPE_RGB, 3, 11, 9);
    image.interlaced = true;
    return image;
}

fuzz::PngImage withText() {
    fuzz::PngImage image = eightBit(PNG_COLOR_TYPE_RGB, 3, 3, 2);
    image.compressedText = "Gebiete und Farben";
    return image;
}

} // namespace

std::vector<std::pair<std::string, Bytes>> seedFiles() {
    const fuzz::PngImage rgba = eightBit(PNG_COLOR_TYPE_RGBA, 4, 6, 4);
    Bytes bgr, bgra;
    for (int i = 0; i < 5 * 3 * 3; ++i)
        bgr.push_back(std::uint8_t(i * 53 + 7));
    for (int i = 0; i < 4 * 4 * 4; ++i)
        bgra.push_back(i % 8 == 3 ? 0 : std::uint8_t(i % 4 == 3 ? 255 : i * 29 + 3));
    return {
        {"rgb.png", fuzz::writePng(eightBit(PNG_COLOR_TYPE_RGB, 3, 7, 5))},
        {"rgba.png", fuzz::writePng(rgba)},
        {"grey-alpha.png", fuzz::writePng(eightBit(PNG_COLOR_TYPE_GRAY_ALPHA, 2, 5, 4))},
        {"palette-trns.png", fuzz::writePng(palette())},
        {"grey-2bit.png", fuzz::writePng(lowBitGrey())},
        {"grey-16bit.png", fuzz::writePng(sixteenBitGrey())},
        {"interlaced.png", fuzz::writePng(interlaced())},
        {"ztxt.png", fuzz::writePng(withText())},
        {"rgb24.bmp", fuzz::writeBmp24(5, 3, bgr)},
        {"bmp32.ico", fuzz::writeIcoBmp32(4, 4, bgra)},
        {"png.ico", fuzz::writeIcoPng(6, 4, fuzz::writePng(rgba))},
        {"palette-trns.ico", fuzz::writeIcoPng(5, 3, fuzz::writePng(palette()))},
    };
}

} // namespace fuzz
