// Small raster helpers shared by every picture the generator draws.
#include "tools/mkmedia/image.h"

namespace mkmedia {

Image makeImage(int width, int height, int channels) {
    Image img;
    img.width = width;
    img.height = height;
    img.channels = channels;
    img.data.assign(static_cast<std::size_t>(width) * height * channels, 0);
    return img;
}

std::uint8_t toByte(double v) {
    if (!(v > 0)) return 0;
    if (v >= 255) return 255;
    return static_cast<std::uint8_t>(v + 0.5);
}

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb c, double f) {
    return {c.r * f, c.g * f, c.b * f};
}

void fillRect(Image& img, int x, int y, int w, int h, Rgb c) {
    for (int yy = y < 0 ? 0 : y; yy < y + h && yy < img.height; ++yy) {
        for (int xx = x < 0 ? 0 : x; xx < x + w && xx < img.width; ++xx) {
            std::uint8_t* p = pixelAt(img, xx, yy);
            p[0] = toByte(c.r);
            p[1] = toByte(c.g);
            p[2] = toByte(c.b);
            if (img.channels == 4) p[3] = 255;
        }
    }
}

void blit(Image& dst, const Image& src, int x, int y) {
    for (int sy = 0; sy < src.height; ++sy) {
        const int dy = y + sy;
        if (dy < 0 || dy >= dst.height) continue;
        for (int sx = 0; sx < src.width; ++sx) {
            const int dx = x + sx;
            if (dx < 0 || dx >= dst.width) continue;
            const std::uint8_t* s = pixelAt(src, sx, sy);
            std::uint8_t* d = pixelAt(dst, dx, dy);
            const double a = src.channels == 4 ? s[3] / 255.0 : 1.0;
            const double da = dst.channels == 4 ? d[3] / 255.0 : 1.0;
            const double outA = a + da * (1 - a);
            for (int c = 0; c < 3; ++c) {
                const double v = outA > 0 ? (s[c] * a + d[c] * da * (1 - a)) / outA : 0;
                d[c] = toByte(v);
            }
            if (dst.channels == 4) d[3] = toByte(outA * 255);
        }
    }
}

Image enlarge(const Image& src, int factor) {
    Image out = makeImage(src.width * factor, src.height * factor, src.channels);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const std::uint8_t* s = pixelAt(src, x / factor, y / factor);
            std::uint8_t* d = pixelAt(out, x, y);
            for (int c = 0; c < src.channels; ++c)
                d[c] = s[c];
        }
    }
    return out;
}

} // namespace mkmedia
