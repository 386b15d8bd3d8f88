// Writes the game's twenty pictures (nineteen files: the plain map serves twice), the tool
// bar's five own icons and the application icon.
#pragma once

#include <array>
#include <string>

namespace mkmedia {

// Colour words of the six animal icons in picture order (blue, red, yellow, green, orange,
// violet); the files are "Selvo <word>.png" and "Selvo <word> kl.png".
constexpr std::array<const char*, 6> IconColourWords = {"blau",  "rot",    "gelb",
                                                        "gruen", "orange", "violett"};

// Writes every picture file into `outDir` (which must exist). Fills `report` with the Area
// table. Returns false, naming the file in `error`, when a file cannot be written.
bool generateAll(const std::string& outDir, std::string& report, std::string& error);

// The application icon at each of AppIconSizes: "selvo-mornik-<size>.png" in `outDir` (which
// must exist). Returns false, naming the file in `error`, when a file cannot be written.
bool generateAppIcons(const std::string& outDir, std::string& error);

} // namespace mkmedia
