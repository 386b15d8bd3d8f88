// Source-over blending of a 4-channel picture, prepared once per picture so that drawing it is a
// few passes of plain arithmetic the compiler vectorises. Used by the picture table only.
#pragma once

#include "ui/picture.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ui::blend {

// Each target byte d becomes round((s * a + d * (255 - a)) / 255), computed exactly as
// ((cover + d * keep) * 257) >> 16 with cover = s * a + 128 and keep = 255 - a, both known before
// the target is; the target's own alpha byte takes s = 255. Cover 128 with keep 255 gives d back
// unchanged: a fully transparent pixel, or a byte the drawing does not own, may be blended freely.

// The bytes of one row that are blended: `length` bytes from `start`, counted from the row's
// first target byte. Whole vector passes long, so the run may reach past the row's last byte.
struct Run {
    std::size_t start = 0;
    std::size_t length = 0;
};

// A whole 4-channel picture prepared for targets with `channels` channels (3 or 4).
struct Plan {
    int channels = 0;                 // 0: not prepared
    int width = 0;                    // of the source, in pixels
    std::vector<Run> runs;            // one per row; rows with nothing to draw have length 0
    std::vector<std::uint16_t> cover; // every run's terms, row after row
    std::vector<std::uint16_t> keep;
    std::size_t overhang = 0; // most bytes any run reaches past its row's last byte
};

// Largest picture kept prepared: an icon or a tool picture. Larger pictures, and pictures outside
// the table, are prepared a row at a time as they are drawn.
constexpr std::int64_t MaxPlanPixels = 128 * 128;

void prepare(const Picture& source, int channels, Plan& plan);

// The part of a source that is drawn, in source pixels, and where it goes: the target byte of its
// top-left pixel, the distance between target rows and the target's bytes from there on.
struct Placement {
    int left, top, width, height;
    std::uint8_t* target;
    std::size_t targetStride;
    std::size_t targetRoom;
};

void drawPrepared(const Plan& plan, const Placement& at);
// The same for a source that is not prepared: `source` has 4 channels, the target `channels`.
void drawUnprepared(const Picture& source, int channels, const Placement& at);

} // namespace ui::blend
