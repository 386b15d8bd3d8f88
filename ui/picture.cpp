// The numbered picture table, file loading, and plain and alpha drawing onto the open picture.
#include "ui/picture.h"

#include "ui/image_reader.h"
#include "ui/png_decode.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

namespace ui {

namespace {

// Larger files are refused unread; no picture within the pixel budget needs more.
constexpr std::uintmax_t MaxFileBytes = std::uintmax_t{64} * 1024 * 1024;

// Every picture by number; an empty slot holds none. Addresses stay put while a number holds
// its picture, so handles given out remain valid until that number is freed or replaced.
std::array<std::optional<Picture>, MaxPictures> pictures;
// The number open for drawing, or -1. It always names a held picture: freeing that number
// closes the drawing.
int openNumber = -1;

bool validNumber(int number) {
    return number >= 0 && number < MaxPictures;
}

// Drawing trusts these, so pictures coming from outside the decoders are checked once here.
bool isConsistent(const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0 || picture.width > MaxPictureSide ||
        picture.height > MaxPictureSide || (picture.channels != 3 && picture.channels != 4))
        return false;
    return picture.pixels.size() ==
           std::size_t(picture.width) * std::size_t(picture.height) * std::size_t(picture.channels);
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > MaxFileBytes) return false;

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    bytes.resize(std::size_t(size));
    const bool complete = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    return complete;
}

Picture* openTarget() {
    return openNumber >= 0 ? &*pictures[std::size_t(openNumber)] : nullptr;
}

// The part of a source placed at (x, y) that lands inside the target, in both pictures'
// coordinates. Computed in 64 bits so coordinates near the int limits cannot overflow.
struct Overlap {
    int sourceX, sourceY;
    int targetX, targetY;
    int width, height;
};

bool findOverlap(const Picture& target, const Picture& source, int x, int y, Overlap& overlap) {
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + source.width, target.width);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{y} + source.height, target.height);
    if (left >= right || top >= bottom) return false;
    overlap = {int(left - x), int(top - y),      int(left),
               int(top),      int(right - left), int(bottom - top)};
    return true;
}

const std::uint8_t* sourceRow(const Picture& source, const Overlap& o, int row) {
    return source.pixels.data() +
           (std::size_t(o.sourceY + row) * std::size_t(source.width) + std::size_t(o.sourceX)) *
               std::size_t(source.channels);
}

std::uint8_t* targetRow(Picture& target, const Overlap& o, int row) {
    return target.pixels.data() +
           (std::size_t(o.targetY + row) * std::size_t(target.width) + std::size_t(o.targetX)) *
               std::size_t(target.channels);
}

void copyRows(const Picture& source, Picture& target, const Overlap& o) {
    const int from = source.channels;
    const int to = target.channels;
    for (int row = 0; row < o.height; ++row) {
        const std::uint8_t* s = sourceRow(source, o, row);
        std::uint8_t* d = targetRow(target, o, row);
        if (from == to) {
            std::memcpy(d, s, std::size_t(o.width) * std::size_t(to));
            continue;
        }
        for (int x = 0; x < o.width; ++x, s += from, d += to) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            if (to == 4) d[3] = 255;
        }
    }
}

// round(v / 255) for v up to 255 * 255, without a division.
inline std::uint8_t divide255(unsigned v) {
    v += 128;
    return std::uint8_t((v + (v >> 8)) >> 8);
}

// Source over with straight alpha from a 4-channel source; the target keeps its own layout.
template <int TargetChannels>
void blendRows(const Picture& source, Picture& target, const Overlap& o) {
    for (int row = 0; row < o.height; ++row) {
        const std::uint8_t* s = sourceRow(source, o, row);
        std::uint8_t* d = targetRow(target, o, row);
        for (int x = 0; x < o.width; ++x, s += 4, d += TargetChannels) {
            const unsigned alpha = s[3];
            if (alpha == 0) continue;
            if (alpha == 255) {
                std::memcpy(d, s, 3);
                if constexpr (TargetChannels == 4) d[3] = 255;
                continue;
            }
            const unsigned rest = 255 - alpha;
            d[0] = divide255(s[0] * alpha + d[0] * rest);
            d[1] = divide255(s[1] * alpha + d[1] * rest);
            d[2] = divide255(s[2] * alpha + d[2] * rest);
            if constexpr (TargetChannels == 4) d[3] = std::uint8_t(alpha + divide255(d[3] * rest));
        }
    }
}

// Runs `draw` for the visible part of `source` on the open picture. Drawing a picture onto
// itself would read pixels already overwritten, so that case works from a copy.
template <typename Draw> void drawClipped(const Picture* source, int x, int y, Draw draw) {
    Picture* target = openTarget();
    if (source == nullptr || target == nullptr || !isConsistent(*source)) return;
    Overlap overlap{};
    if (!findOverlap(*target, *source, x, y, overlap)) return;
    if (source == target) {
        const Picture copy = *source;
        draw(copy, *target, overlap);
    } else {
        draw(*source, *target, overlap);
    }
}

} // namespace

bool decodePicture(const std::uint8_t* data, std::size_t size, Picture& out) {
    if (hasPngSignature(data, size)) return decodePng(data, size, out);
    return decodeWithImageReader(data, size, out);
}

bool loadPicture(int number, const std::string& path) {
    if (!validNumber(number)) return false;
    freePicture(number);
    std::vector<std::uint8_t> bytes;
    Picture picture;
    if (!readWholeFile(path, bytes) || !decodePicture(bytes.data(), bytes.size(), picture))
        return false;
    pictures[std::size_t(number)] = std::move(picture);
    return true;
}

bool setPicture(int number, Picture picture) {
    if (!validNumber(number)) return false;
    freePicture(number);
    if (!isConsistent(picture)) return false;
    pictures[std::size_t(number)] = std::move(picture);
    return true;
}

const Picture* pictureHandle(int number) {
    if (!validNumber(number) || !pictures[std::size_t(number)]) return nullptr;
    return &*pictures[std::size_t(number)];
}

void freePicture(int number) {
    if (!validNumber(number)) return;
    if (openNumber == number) closeDrawing();
    pictures[std::size_t(number)].reset();
}

void freeAllPictures() {
    for (int number = 0; number < MaxPictures; ++number)
        freePicture(number);
}

bool openDrawing(int number) {
    closeDrawing();
    if (pictureHandle(number) == nullptr) return false;
    openNumber = number;
    return true;
}

void closeDrawing() {
    openNumber = -1;
}

int openDrawingNumber() {
    return openNumber;
}

void drawPicture(const Picture* source, int x, int y) {
    drawClipped(source, x, y, copyRows);
}

void drawPictureAlpha(const Picture* source, int x, int y) {
    drawClipped(source, x, y, [](const Picture& from, Picture& to, const Overlap& o) {
        if (from.channels != 4)
            copyRows(from, to, o);
        else if (to.channels == 4)
            blendRows<4>(from, to, o);
        else
            blendRows<3>(from, to, o);
    });
}

std::int32_t readPixel(int x, int y) {
    const Picture* picture = openTarget();
    if (picture == nullptr || x < 0 || y < 0 || x >= picture->width || y >= picture->height)
        return -1;
    const std::uint8_t* p =
        picture->pixels.data() + (std::size_t(y) * std::size_t(picture->width) + std::size_t(x)) *
                                     std::size_t(picture->channels);
    return std::int32_t(p[2]) | std::int32_t(p[1]) << 8 | std::int32_t(p[0]) << 16;
}

} // namespace ui
