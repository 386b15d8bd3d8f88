// Counting a year of the model.
#include "model/figures.h"

#include "model/areas.h"
#include "model/herd.h"

namespace model {

YearFigures takeFigures() {
    YearFigures f;
    f.year = year;
    f.rating = yearRating;
    f.animals = herdCount();
    f.births = birthsThisYear;
    f.deaths = deathsThisYear;
    f.oldAgeDeaths = oldAgeDeathsThisYear;
    f.weaknessDeaths = weaknessDeathsThisYear;
    f.shot = shotThisYear;
    f.carried = carriedThisYear;
    const GenePool pool = genePoolScore();
    f.genePool = pool.score;
    f.pairs = pool.pairs;
    for (auto it = herdBegin(); it != herdEnd(); ++it) {
        if (it->illnessLevel > 0) ++f.ill;
        if (isArea(it->area)) ++f.areas[std::size_t(it->area - 1)];
    }
    return f;
}

} // namespace model
