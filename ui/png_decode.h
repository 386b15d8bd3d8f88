// PNG decoding with libpng straight from memory into a Picture, hardened against hostile files.
#pragma once

#include "ui/picture.h"

#include <cstddef>
#include <cstdint>

namespace ui {

// Most pixels any decoder may allocate for one picture (64 MB at 4 channels). A file claiming more
// is refused before its pixels are allocated, even when each side is within MaxPictureSide.
constexpr std::int64_t MaxPicturePixels = std::int64_t{16} * 1024 * 1024;

// Whether the data starts with the 8-byte PNG signature.
bool hasPngSignature(const std::uint8_t* data, std::size_t size);

// What becomes of a tRNS chunk: the game's own PNG pictures are drawn opaque, while a PNG inside an
// icon keeps its transparency as an alpha channel, as icons have always loaded.
enum class PngTransparency { Dropped, AsAlpha };

// Decodes a complete PNG file: 4 channels B,G,R,A when the file has an alpha channel (or, with
// AsAlpha, a tRNS chunk), otherwise 3 channels B,G,R. 16-bit samples are rounded to 8 bits
// (png_set_scale_16). Returns false with `out` emptied for damaged, truncated or oversized data;
// never prints anything.
bool decodePng(const std::uint8_t* data, std::size_t size, Picture& out,
               PngTransparency transparency = PngTransparency::Dropped);

// Two of decodePng's guards, for the tests to try alone: in a whole decode each hides a fault in
// the other.

// Whether every chunk up to IEND lies within `data`, which starts with the signature: libpng
// allocates what a chunk claims before it reads the chunk, so one claiming more than the file
// holds is refused unread.
bool chunksFitInFile(const std::uint8_t* data, std::size_t size);

// Read position over the caller's bytes, handed to libpng as its io pointer.
struct MemorySource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

// Copies the next `length` bytes to `out` and moves past them; false, copying nothing, when
// fewer remain.
bool readNext(MemorySource& source, std::uint8_t* out, std::size_t length);

} // namespace ui
