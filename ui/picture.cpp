// The numbered picture table, file loading, and plain and alpha drawing onto the open picture.
#include "ui/picture.h"

#include "ui/blend.h"
#include "ui/image_reader.h"
#include "ui/picture_files.h"
#include "ui/png_decode.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace ui {

namespace {

// One number's picture, and how it is prepared for alpha drawing onto 3- and 4-channel targets
// (prepared on first use, forgotten whenever the picture changes).
struct Slot {
    std::optional<Picture> picture;
    std::array<blend::Plan, 2> plans;
};

// Every picture by number; an empty slot holds none. Addresses stay put while a number holds
// its picture, so handles given out remain valid until that number is freed or replaced.
std::array<Slot, MaxPictures> slots;
// The number open for drawing, or -1. It always names a held picture: freeing that number
// closes the drawing.
int openNumber = -1;

// A B,G,R(,A) pixel as 0x00BBGGRR.
std::int32_t colourOf(const std::uint8_t* p) {
    return std::int32_t(p[2]) | std::int32_t(p[1]) << 8 | std::int32_t(p[0]) << 16;
}

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

// A number whose file is still being read in the background gets its picture before anything
// looks at the number.
void settle(int number) {
    if (files::isPending(number)) slots[std::size_t(number)].picture = files::take(number);
}

Picture* openTarget() {
    return openNumber >= 0 ? &*slots[std::size_t(openNumber)].picture : nullptr;
}

void forgetPlans(Slot& slot) {
    for (blend::Plan& plan : slot.plans)
        if (plan.channels != 0) plan = blend::Plan{};
}

// The slot whose picture `picture` is, or nullptr for a picture outside the table.
Slot* slotHolding(const Picture* picture) {
    for (Slot& slot : slots)
        if (slot.picture && &*slot.picture == picture) return &slot;
    return nullptr;
}

// The part of a source placed at (x, y) that lands inside the target, in both pictures'
// coordinates. Computed in 64 bits so coordinates near the int limits cannot overflow.
struct Overlap {
    int sourceX, sourceY;
    int targetX, targetY;
    int width, height;
};

// Nothing when no pixel lands inside.
std::optional<Overlap> findOverlap(const Picture& target, const Picture& source, int x, int y) {
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + source.width, target.width);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{y} + source.height, target.height);
    if (left >= right || top >= bottom) return std::nullopt;
    return Overlap{int(left - x), int(top - y),      int(left),
                   int(top),      int(right - left), int(bottom - top)};
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

// Runs `draw` for the visible part of `source` on the open picture. Drawing a picture onto
// itself would read pixels already overwritten, so that case works from a copy.
template <typename Draw> void drawClipped(const Picture* source, int x, int y, Draw draw) {
    Picture* target = openTarget();
    if (source == nullptr || target == nullptr || !isConsistent(*source)) return;
    const std::optional<Overlap> overlap = findOverlap(*target, *source, x, y);
    if (!overlap) return;
    if (source == target) {
        const Picture copy = *source;
        draw(copy, *target, *overlap);
    } else {
        draw(*source, *target, *overlap);
    }
    forgetPlans(slots[std::size_t(openNumber)]);
}

} // namespace

bool decodePicture(const std::uint8_t* data, std::size_t size, Picture& out) {
    if (hasPngSignature(data, size)) return decodePng(data, size, out);
    return decodeWithImageReader(data, size, out);
}

bool loadPicture(int number, const std::string& path) {
    if (!validNumber(number)) return false;
    freePicture(number);
    Picture picture;
    if (!files::readPicture(path, picture)) return false;
    slots[std::size_t(number)].picture = std::move(picture);
    return true;
}

void loadPictures(const std::vector<std::string>& paths) {
    const std::size_t count = std::min(paths.size(), std::size_t(MaxPictures));
    for (std::size_t n = 0; n < count; ++n)
        freePicture(int(n));
    files::startReading(
        std::vector<std::string>(paths.begin(), paths.begin() + std::ptrdiff_t(count)));
}

bool setPicture(int number, Picture picture) {
    if (!validNumber(number)) return false;
    freePicture(number);
    if (!isConsistent(picture)) return false;
    slots[std::size_t(number)].picture = std::move(picture);
    return true;
}

const Picture* pictureHandle(int number) {
    if (!validNumber(number)) return nullptr;
    settle(number);
    if (!slots[std::size_t(number)].picture) return nullptr;
    return &*slots[std::size_t(number)].picture;
}

void freePicture(int number) {
    if (!validNumber(number)) return;
    if (openNumber == number) closeDrawing();
    settle(number);
    slots[std::size_t(number)].picture.reset();
    forgetPlans(slots[std::size_t(number)]);
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
        if (from.channels != 4) return copyRows(from, to, o);
        std::uint8_t* first = targetRow(to, o, 0);
        const blend::Placement at{o.sourceX,
                                  o.sourceY,
                                  o.width,
                                  o.height,
                                  first,
                                  std::size_t(to.width) * std::size_t(to.channels),
                                  std::size_t(to.pixels.data() + to.pixels.size() - first)};
        // Pictures in the table are prepared once; a drawing onto itself works from a copy,
        // which is not in the table.
        Slot* slot = slotHolding(&from);
        if (slot == nullptr || std::int64_t{from.width} * from.height > blend::MaxPlanPixels)
            return blend::drawUnprepared(from, to.channels, at);
        blend::Plan& plan = slot->plans[std::size_t(to.channels - 3)];
        if (plan.channels == 0) blend::prepare(from, to.channels, plan);
        blend::drawPrepared(plan, at);
    });
}

std::int32_t readPixel(int x, int y) {
    const Picture* picture = openTarget();
    if (picture == nullptr || x < 0 || y < 0 || x >= picture->width || y >= picture->height)
        return -1;
    const std::uint8_t* p =
        picture->pixels.data() + (std::size_t(y) * std::size_t(picture->width) + std::size_t(x)) *
                                     std::size_t(picture->channels);
    return colourOf(p);
}

std::vector<std::int32_t> pixelValues(const Picture& picture) {
    const std::size_t count = std::size_t(picture.width) * std::size_t(picture.height);
    const std::size_t channels = std::size_t(picture.channels);
    std::vector<std::int32_t> values(count);
    if (picture.pixels.size() < count * channels) return {};
    for (std::size_t i = 0; i < count; ++i)
        values[i] = colourOf(picture.pixels.data() + i * channels);
    return values;
}

} // namespace ui
