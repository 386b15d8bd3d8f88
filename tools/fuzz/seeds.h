// The fuzzer's starting files: one small valid file of each kind the picture loader takes.
#pragma once

#include "tools/fuzz/files.h"

#include <string>
#include <utility>
#include <vector>

namespace fuzz {

// File name and contents: PNGs in RGB, RGBA, grey + alpha, palette with tRNS, 2-bit grey,
// 16-bit grey, interlaced, one with a zTXt chunk; a 24-bit BMP; an ICO with a BMP and two with
// a PNG inside (RGBA, palette with tRNS). Every one decodes.
std::vector<std::pair<std::string, Bytes>> seedFiles();

} // namespace fuzz
