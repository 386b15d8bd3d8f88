// Preparing 4-channel pictures for source-over blending, and the blend itself.
#include "ui/blend.h"

#include <algorithm>
#include <cstring>

namespace ui::blend {

namespace {

// Bytes one vector pass handles. A fixed count lets the compiler turn the loop into vector code
// at -O2 with no remainder: 16 bytes fill the baseline's vectors, 32 those of AVX2.
constexpr std::size_t NarrowBlock = 16;
constexpr std::size_t WideBlock = 32;

bool hasWideVectors() {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool wide = __builtin_cpu_supports("avx2");
    return wide;
#else
    return false;
#endif
}

std::size_t blockBytes() {
    return hasWideVectors() ? WideBlock : NarrowBlock;
}

// ((cover + d * keep) * 257) >> 16 equals round((s * a + d * (255 - a)) / 255) for every byte
// value; cover + d * keep stays below 65154, so the whole sum fits 16 bits.
[[gnu::always_inline]] inline std::uint8_t mix(std::uint8_t d, std::uint16_t cover,
                                               std::uint16_t keep) {
    const auto sum = std::uint16_t(cover + std::uint16_t(d * keep));
    return std::uint8_t((std::uint32_t(sum) * 257u) >> 16);
}

// `from` and `to` are the same bytes or do not overlap at all.
template <std::size_t Block>
[[gnu::always_inline]] inline void
blendBlock(const std::uint8_t* from, const std::uint16_t* __restrict cover,
           const std::uint16_t* __restrict keep, std::uint8_t* to) {
    for (std::size_t i = 0; i < Block; ++i)
        to[i] = mix(from[i], cover[i], keep[i]);
}

// Any count: the last block is blended first from the untouched bytes and stored last, so the
// blocks that overlap it store the same values and no remainder loop is needed.
template <std::size_t Block>
[[gnu::always_inline]] inline void
blendBytes(std::uint8_t* __restrict target, const std::uint16_t* __restrict cover,
           const std::uint16_t* __restrict keep, std::size_t count) {
    if (count < Block) {
        for (std::size_t i = 0; i < count; ++i)
            target[i] = mix(target[i], cover[i], keep[i]);
        return;
    }
    const std::size_t tail = count - Block;
    std::uint8_t last[Block];
    blendBlock<Block>(target + tail, cover + tail, keep + tail, last);
    for (std::size_t at = 0; at < tail; at += Block)
        blendBlock<Block>(target + at, cover + at, keep + at, target + at);
    std::memcpy(target + tail, last, Block);
}

// The whole source, each run in whole blocks: what drawing a fully visible icon comes to.
template <std::size_t Block>
[[gnu::always_inline]] inline void drawWhole(const Plan& plan, const Placement& at) {
    const std::uint16_t* cover = plan.cover.data();
    const std::uint16_t* keep = plan.keep.data();
    std::uint8_t* row = at.target;
    // The target's rows lie far apart in memory: asking for all of them first lets their loads
    // overlap instead of each row waiting for its own.
    for (const Run& run : plan.runs) {
        __builtin_prefetch(row + run.start, 1);
        __builtin_prefetch(row + run.start + run.length - 1, 1);
        row += at.targetStride;
    }
    row = at.target;
    for (const Run& run : plan.runs) {
        std::uint8_t* target = row + run.start;
        for (std::size_t done = 0; done < run.length; done += Block)
            blendBlock<Block>(target + done, cover + done, keep + done, target + done);
        cover += run.length;
        keep += run.length;
        row += at.targetStride;
    }
}

// Any visible part: each run cut to the visible bytes of its row.
template <std::size_t Block>
[[gnu::always_inline]] inline void drawClipped(const Plan& plan, const Placement& at) {
    const std::size_t channels = std::size_t(plan.channels);
    const std::size_t low = std::size_t(at.left) * channels;
    const std::size_t high = low + std::size_t(at.width) * channels;
    const std::uint16_t* cover = plan.cover.data();
    const std::uint16_t* keep = plan.keep.data();
    for (std::size_t y = 0; y < std::size_t(at.top); ++y) {
        cover += plan.runs[y].length;
        keep += plan.runs[y].length;
    }
    std::uint8_t* row = at.target - low;
    for (std::size_t y = std::size_t(at.top); y < std::size_t(at.top + at.height); ++y) {
        const Run& run = plan.runs[y];
        const std::size_t first = std::max(run.start, low);
        const std::size_t last = std::min(run.start + run.length, high);
        if (first < last)
            blendBytes<Block>(row + first, cover + (first - run.start), keep + (first - run.start),
                              last - first);
        cover += run.length;
        keep += run.length;
        row += at.targetStride;
    }
}

template <std::size_t Block>
[[gnu::always_inline]] inline void drawRows(const Plan& plan, const Placement& at) {
    const std::size_t rowBytes = std::size_t(plan.width) * std::size_t(plan.channels);
    const std::size_t rows = plan.runs.size();
    const bool whole = at.left == 0 && at.top == 0 &&
                       std::size_t(at.width) == std::size_t(plan.width) &&
                       std::size_t(at.height) == rows;
    // Runs reaching past their row blend bytes the drawing does not own; those are left as they
    // are, but must lie inside the target.
    if (whole && (rows - 1) * at.targetStride + rowBytes + plan.overhang <= at.targetRoom)
        drawWhole<Block>(plan, at);
    else
        drawClipped<Block>(plan, at);
}

[[gnu::target("avx2")]] void drawRowsWide(const Plan& plan, const Placement& at) {
    drawRows<WideBlock>(plan, at);
}

// Terms of `width` source pixels into `cover` and `keep`; returns the bytes from the first to
// one past the last pixel that is not fully transparent (equal when there is none).
std::pair<std::size_t, std::size_t> prepareInto(const std::uint8_t* pixels, int width, int channels,
                                                std::uint16_t* cover, std::uint16_t* keep) {
    int first = width;
    int last = 0;
    for (int x = 0; x < width; ++x, pixels += 4) {
        const unsigned alpha = pixels[3];
        if (alpha != 0) {
            first = std::min(first, x);
            last = x + 1;
        }
        for (int c = 0; c < channels; ++c) {
            const unsigned sample = c < 3 ? pixels[c] : 255;
            *cover++ = std::uint16_t(sample * alpha + 128);
            *keep++ = std::uint16_t(255 - alpha);
        }
    }
    if (last == 0) first = 0;
    return {std::size_t(first) * std::size_t(channels), std::size_t(last) * std::size_t(channels)};
}

} // namespace

void prepare(const Picture& source, int channels, Plan& plan) {
    const std::size_t block = blockBytes();
    const std::size_t rowBytes = std::size_t(source.width) * std::size_t(channels);
    std::vector<std::uint16_t> cover(rowBytes + block);
    std::vector<std::uint16_t> keep(rowBytes + block);
    plan = Plan{channels, source.width, {}, {}, {}, 0};
    for (int y = 0; y < source.height; ++y) {
        // Terms past the row's last byte leave whatever they meet unchanged.
        std::fill(cover.begin() + std::ptrdiff_t(rowBytes), cover.end(), 128);
        std::fill(keep.begin() + std::ptrdiff_t(rowBytes), keep.end(), 255);
        const auto [first, last] =
            prepareInto(source.pixels.data() + std::size_t(y) * std::size_t(source.width) * 4,
                        source.width, channels, cover.data(), keep.data());
        Run run;
        if (first < last) {
            // Whole blocks, as far inside the row as they fit.
            run.length = (last - first + block - 1) / block * block;
            run.start = run.length <= rowBytes ? std::min(first, rowBytes - run.length) : 0;
            if (run.start + run.length > rowBytes)
                plan.overhang = std::max(plan.overhang, run.start + run.length - rowBytes);
        }
        plan.runs.push_back(run);
        plan.cover.insert(plan.cover.end(), cover.begin() + std::ptrdiff_t(run.start),
                          cover.begin() + std::ptrdiff_t(run.start + run.length));
        plan.keep.insert(plan.keep.end(), keep.begin() + std::ptrdiff_t(run.start),
                         keep.begin() + std::ptrdiff_t(run.start + run.length));
    }
}

void drawPrepared(const Plan& plan, const Placement& at) {
    if (hasWideVectors())
        drawRowsWide(plan, at);
    else
        drawRows<NarrowBlock>(plan, at);
}

void drawUnprepared(const Picture& source, int channels, const Placement& at) {
    const std::size_t rowBytes = std::size_t(at.width) * std::size_t(channels);
    std::vector<std::uint16_t> cover(rowBytes);
    std::vector<std::uint16_t> keep(rowBytes);
    std::uint8_t* row = at.target;
    for (int y = at.top; y < at.top + at.height; ++y, row += at.targetStride) {
        const std::uint8_t* pixels =
            source.pixels.data() +
            (std::size_t(y) * std::size_t(source.width) + std::size_t(at.left)) * 4;
        const auto [first, last] =
            prepareInto(pixels, at.width, channels, cover.data(), keep.data());
        blendBytes<NarrowBlock>(row + first, cover.data() + first, keep.data() + first,
                                last - first);
    }
}

} // namespace ui::blend
