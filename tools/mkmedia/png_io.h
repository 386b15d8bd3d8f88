// PNG files in and out through libpng: byte-stable writing and plain 8-bit reading.
#pragma once

#include <string>

#include "tools/mkmedia/image.h"

namespace mkmedia {

// Writes `img` (3 or 4 channels) as an 8-bit RGB / RGBA PNG with a fixed zlib level and no
// time, text or gamma chunks, so that equal pixels always give equal files.
bool writePng(const std::string& path, const Image& img);

// Reads any PNG into 8-bit RGB (no alpha in the file) or RGBA (alpha or tRNS in the file).
bool readPng(const std::string& path, Image& out);

} // namespace mkmedia
