// A complete set of the game's twenty pictures, drawn here so that tests can remove or damage
// any one of them; every picture has colours of its own, so a frame shows which ones it used.
#pragma once

#include "tests/picture/fixtures.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace media_set {

constexpr int MapWidth = 900;
constexpr int MapHeight = 640;

// The Area the set's areas picture gives a map point: a 4 x 4 grid numbered row by row, with
// 0 (no Area) in a 20-pixel margin round the edge and in a lake at x 400..499, y 520..599.
std::int32_t areaOf(int x, int y);
// A point well inside Area `area` (1..16) and one in the lake.
void pointIn(int area, int& x, int& y);
constexpr int LakeX = 450;
constexpr int LakeY = 560;

// Colour (0x00BBGGRR) that picture `number` uses and no other picture of the set does: the
// background of the two maps, the inside of an icon, the face of a button picture.
std::int32_t colourOf(int number);

// File name under the working folder ("Media/Karte.png", ...) -> PNG bytes. Pictures 0 and 2
// share Karte.png, so the set holds 19 files.
std::map<std::string, fixtures::Bytes> files();

// Writes every file of the set under `folder`.
void writeAll(const std::filesystem::path& folder);

// An areas picture of any size filled with `area` outside the map's 900 x 640 and the set's
// Areas inside it.
fixtures::Bytes areasPicture(int width, int height, std::int32_t outside);

} // namespace media_set
