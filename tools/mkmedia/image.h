// In-memory RGB / RGBA rasters the generator draws into, and the few operations on them.
#pragma once

#include <cstdint>
#include <vector>

namespace mkmedia {

// 8 bits per channel, rows top to bottom, channels in file order: R,G,B (3) or R,G,B,A (4).
// Alpha is straight (not premultiplied), as PNG stores it.
struct Image {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<std::uint8_t> data; // width * height * channels bytes
};

// A position in pixels (or in a drawing's own units).
struct Point {
    double x, y;
};

struct Rgb {
    double r = 0, g = 0, b = 0;
};

// An image of the given size with every byte 0 (black, or fully transparent).
Image makeImage(int width, int height, int channels);

inline std::uint8_t* pixelAt(Image& img, int x, int y) {
    return &img.data[(static_cast<std::size_t>(y) * img.width + x) * img.channels];
}
inline const std::uint8_t* pixelAt(const Image& img, int x, int y) {
    return &img.data[(static_cast<std::size_t>(y) * img.width + x) * img.channels];
}

// Rounds a channel value in 0..255 (clamping anything outside) to a byte.
std::uint8_t toByte(double v);

Rgb mix(Rgb a, Rgb b, double t); // t = 0 gives a, t = 1 gives b
Rgb scale(Rgb c, double f);

// Fills the rectangle (clipped) with an opaque colour.
void fillRect(Image& img, int x, int y, int w, int h, Rgb c);

// Source-over blend of `src` with its top-left corner at (x, y), clipped to `dst`.
// A 3-channel source is copied; `dst` keeps its channel count.
void blit(Image& dst, const Image& src, int x, int y);

// Nearest-neighbour enlargement by a whole factor.
Image enlarge(const Image& src, int factor);

} // namespace mkmedia
