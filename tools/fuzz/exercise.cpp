// Decoding and drawing one input the way the game would, with the checks the fuzzer relies on.
#include "tools/fuzz/exercise.h"

#include "ui/picture.h"

#include <climits>
#include <utility>

namespace fuzz {

namespace {

// Target sides: smaller than most decoded pictures, so that every draw below is clipped.
constexpr int TargetWidth = 17;
constexpr int TargetHeight = 11;

std::string shapeProblem(const ui::Picture& p) {
    if (p.channels != 3 && p.channels != 4) return "channels " + std::to_string(p.channels);
    if (p.width <= 0 || p.height <= 0 || p.width > ui::MaxPictureSide ||
        p.height > ui::MaxPictureSide)
        return "size " + std::to_string(p.width) + " x " + std::to_string(p.height);
    if (p.pixels.size() != std::size_t(p.width) * std::size_t(p.height) * std::size_t(p.channels))
        return "pixel bytes " + std::to_string(p.pixels.size());
    return {};
}

// A plain copy at (0, 0) must leave the source's first pixel in the target's first pixel.
std::string copyProblem(const ui::Picture& source) {
    const std::int32_t want = std::int32_t(source.pixels[2]) | std::int32_t(source.pixels[1]) << 8 |
                              std::int32_t(source.pixels[0]) << 16;
    const std::int32_t got = ui::readPixel(0, 0);
    if (got != want)
        return "copied pixel " + std::to_string(got) + ", want " + std::to_string(want);
    return {};
}

std::string drawOnto(const ui::Picture& source, int channels, int scratch) {
    ui::Picture target{TargetWidth, TargetHeight, channels, {}};
    target.pixels.assign(std::size_t(TargetWidth) * TargetHeight * std::size_t(channels), 0x5A);
    if (!ui::setPicture(scratch, std::move(target)) || !ui::openDrawing(scratch))
        return "scratch picture refused";
    ui::drawPicture(&source, 0, 0);
    std::string problem = copyProblem(source);
    const int w = source.width;
    const int h = source.height;
    const std::pair<int, int> offsets[] = {
        {0, 0},       {-w + 1, -h + 1}, {TargetWidth - 1, TargetHeight - 1},
        {-w / 2, 3},  {5, -h / 2},      {INT_MAX, INT_MAX},
        {INT_MIN, 0}, {-w, -h},         {TargetWidth, 0},
    };
    for (auto [x, y] : offsets) {
        ui::drawPicture(&source, x, y);
        ui::drawPictureAlpha(&source, x, y);
    }
    if (ui::openDrawingNumber() != scratch && problem.empty()) problem = "drawing was closed";
    ui::freePicture(scratch);
    return problem;
}

} // namespace

std::string exercisePicture(const std::uint8_t* data, std::size_t size, int scratch) {
    ui::Picture picture;
    if (!ui::decodePicture(data, size, picture)) {
        if (picture.width != 0 || picture.height != 0 || !picture.pixels.empty())
            return "failed decode left a picture behind";
        return {};
    }
    std::string problem = shapeProblem(picture);
    for (int channels : {3, 4})
        if (problem.empty()) problem = drawOnto(picture, channels, scratch);
    return problem;
}

} // namespace fuzz
