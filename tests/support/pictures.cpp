// Pictures for the tests of pictures and windows.
#include "tests/support/pictures.h"

#include <cstdio>

namespace support {

ui::Picture solid(int width, int height, int channels, std::int32_t colour, int alpha) {
    ui::Picture p{width, height, channels, {}};
    for (int i = 0; i < width * height; ++i) {
        p.pixels.insert(p.pixels.end(), {std::uint8_t(colour >> 16), std::uint8_t(colour >> 8),
                                         std::uint8_t(colour)});
        if (channels == 4) p.pixels.push_back(std::uint8_t(alpha));
    }
    return p;
}

std::string pictureHash(int number) {
    const ui::Picture* p = ui::pictureHandle(number);
    if (!p) return "none";
    std::uint64_t h = 14695981039346656037ull;
    auto add = [&h](std::uint8_t byte) { h = (h ^ byte) * 1099511628211ull; };
    for (int v : {p->width, p->height, p->channels})
        add(std::uint8_t(v)), add(std::uint8_t(v >> 8));
    for (std::uint8_t byte : p->pixels)
        add(byte);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

} // namespace support
