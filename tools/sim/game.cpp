// Playing one game year by year on the model, with the keeper's policies between years.
#include "tools/sim/game.h"

#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "tools/sim/batch.h"
#include "tools/sim/csv.h"

namespace sim {

namespace {

// newGame() leaves last year's rating, births and deaths standing; a game that has not yet had
// a year shows none, so that a game's rows never depend on the game before it.
void newGame() {
    model::yearRating = 0;
    model::birthsThisYear = 0;
    model::deathsThisYear = 0;
    model::oldAgeDeathsThisYear = 0;
    model::weaknessDeathsThisYear = 0;
    model::newGame();
}

YearRecord recordOf(const YearFigures& f) {
    YearRecord r{f.animals, f.genePool, f.ill, 0};
    for (int k = 0; k < GenePairCount; ++k)
        if (f.pairs[std::size_t(k)] > 0) {
            r.present |= 1u << k;
            // Pair k is (first gene k / 3, second gene k % 3), both in red, yellow, blue order.
            r.present |= 1u << (FirstColourBit + k / 3) | 1u << (FirstColourBit + k % 3);
        }
    return r;
}

} // namespace

GameEnd playGame(const GameSetup& setup, std::int64_t run, std::string& csv, const Drain& drain,
                 GameResult& result) {
    const Options& o = setup.options;
    result = GameResult{};
    if (setup.records) result.records.reserve(std::size_t(o.years) + 1);
    // Wraps modulo 2^32 by the conversion, as documented for --seed.
    const auto seed = static_cast<std::uint32_t>(o.seed + static_cast<std::uint64_t>(run));
    // Neither start draws a number; the seed comes after, so that a saved game's own random
    // state is replaced by the run's.
    if (setup.start)
        model::restoreGame(*setup.start);
    else
        newGame();
    model::seedRandom(seed);
    YearFigures f = model::takeFigures();
    appendRow(csv, run, seed, 0, f);
    if (setup.records) result.records.push_back(recordOf(f));
    for (std::int64_t year = 1; year <= o.years; ++year) {
        if (StopRequested) return GameEnd::Stopped;
        applyPolicies(o.policies, setup.points);
        // The step clears the counts of the interventions before it; the row of the year shows
        // those that led into it.
        const std::int32_t shot = model::shotThisYear, carried = model::carriedThisYear;
        result.animalYears += model::herdCount();
        model::yearStep();
        ++result.years;
        f = model::takeFigures();
        f.shot = shot;
        f.carried = carried;
        appendRow(csv, run, seed, year, f);
        if (setup.records) result.records.push_back(recordOf(f));
        if (csv.size() >= ChunkBytes && !drain(csv)) return GameEnd::DrainFailed;
        if (model::herdEmpty()) {
            result.emptyYears.push_back(static_cast<std::int32_t>(year));
            if (!o.restart) break;
            // After the row: it shows the year the herd died out, the next year the new game.
            newGame();
        }
    }
    result.lastAnimals = f.animals;
    result.lastGenepool = f.genePool;
    return GameEnd::Done;
}

} // namespace sim
