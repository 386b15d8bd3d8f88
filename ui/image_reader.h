// BMP and ICO decoding through the toolkit's image reader; no toolkit type leaves image_reader.cpp.
#pragma once

#include "ui/picture.h"

#include <cstddef>
#include <cstdint>

namespace ui {

// Decodes a BMP or ICO file held in memory: 4 channels B,G,R,A (straight alpha) when the image
// has an alpha channel, else 3 channels. Any other format, damage or a size over the pixel budget
// gives false with `out` emptied. Needs no application object.
bool decodeWithImageReader(const std::uint8_t* data, std::size_t size, Picture& out);

// Qt decodes an uncompressed BMP cut short without complaint, leaving the missing rows undefined;
// such a file counts as damaged here, as does a side over MaxPictureSide. Run-length data has no
// fixed size to check and passes. Apart, so that it is seen without Qt's own size checks.
bool bmpPixelsComplete(const std::uint8_t* data, std::size_t size);

} // namespace ui
