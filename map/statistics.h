// The status-bar texts of a year's figures.
#pragma once

#include "map/numbers.h"
#include "model/figures.h"

#include <array>
#include <string>

namespace map {

// The five status-bar texts: year and rating, animals, births, deaths, gene pool.
std::array<std::string, StatusFieldCount> statusTexts(const model::YearFigures& f);

} // namespace map
