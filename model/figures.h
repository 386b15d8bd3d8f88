// A year's figures: what the status bar, the history and the simulator read of the model.
#pragma once

#include "model/builtin_data.h"
#include "model/genepool.h"

#include <array>
#include <cstdint>

namespace model {

struct YearFigures {
    std::int32_t year = 0;
    std::int32_t rating = 0;
    std::int32_t animals = 0;
    std::int32_t births = 0;
    std::int32_t deaths = 0;
    std::int32_t oldAgeDeaths = 0;   // deaths by cause, adding up to `deaths`
    std::int32_t weaknessDeaths = 0;
    std::int32_t shot = 0;           // the player's interventions since the year's step
    std::int32_t carried = 0;
    std::int32_t genePool = 0;                           // the gene-pool score
    std::array<std::int32_t, GenePairCount> pairs{};     // as GenePool::pairs
    std::int32_t ill = 0;                                // animals with illnessLevel > 0
    std::array<std::int32_t, AreaCount> areas{};         // animals per Area, Area 1 at index 0
};

// The figures of the model state as it stands.
YearFigures takeFigures();

} // namespace model
