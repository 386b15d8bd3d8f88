// A complete set of the game's twenty pictures, drawn here so that tests can remove or damage
// any one of them; each picture has a colour no other one uses, so a frame shows which it holds.
#pragma once

#include "tests/picture/fixtures.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace media_set {

constexpr int MapWidth = 900;
constexpr int MapHeight = 640;
// A point in the lake, which belongs to no Area.
constexpr int LakeX = 450;
constexpr int LakeY = 560;

// The Area the set gives a map point: a 4 x 4 grid numbered row by row, with 0 (no Area) in a
// 20-pixel margin and in a lake at x 400..499, y 520..599.
std::int32_t areaOf(int x, int y);

// The colour (0x00BBGGRR) of picture `number`: all of a map, icon or button picture.
std::int32_t colourOf(int number);

// File name under the working folder ("Media/Karte.png", ...) -> PNG bytes. Pictures 0 and 2
// share Karte.png, so the set holds 19 files.
std::map<std::string, fixtures::Bytes> files();
void writeAll(const std::filesystem::path& folder);

// An areas picture of any size, each point painted with the Area `area` gives it.
fixtures::Bytes areasPicture(int width, int height,
                             const std::function<std::int32_t(int x, int y)>& area);

} // namespace media_set
