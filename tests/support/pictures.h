// Pictures for the tests of pictures and windows (part of the game support).
#pragma once

#include "ui/picture.h"

#include <cstdint>
#include <string>

namespace support {

// A picture of one colour (0x00BBGGRR) all over; a fourth channel gets `alpha`.
ui::Picture solid(int width, int height, int channels, std::int32_t colour, int alpha = 255);

// A 64-bit FNV-1a hash of a picture's size, channels and pixels as 16 hex digits, or "none".
std::string pictureHash(int number);

} // namespace support
