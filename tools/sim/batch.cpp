// The batch loop: seed, new game, yearly steps, one row per year.
#include "tools/sim/batch.h"

#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/tables.h"
#include "tools/sim/csv.h"
#include "tools/sim/progress.h"
#include "ui/picture.h"

#include <chrono>
#include <filesystem>

namespace sim {

volatile std::sig_atomic_t StopRequested = 0;

namespace {

// Rows are gathered and handed on in chunks of about this size.
constexpr std::size_t chunkBytes = 1 << 16;

struct RowWriter {
    const CsvSink& sink;
    std::string buffer;
    bool failed = false;

    void flush() {
        if (!failed && !buffer.empty() && !sink(buffer)) failed = true;
        buffer.clear();
    }
    void row(std::int64_t run, std::uint32_t seed, std::int64_t year, const YearFigures& f) {
        appendRow(buffer, run, seed, year, f);
        if (buffer.size() >= chunkBytes) flush();
    }
};

// newGame() leaves last year's rating, births and deaths standing; a game that has not yet had
// a year shows none, so that a game's rows never depend on the game before it.
void newGame() {
    model::yearRating = 0;
    model::birthsThisYear = 0;
    model::deathsThisYear = 0;
    model::newGame();
}

} // namespace

bool prepareModel(const std::string& mediaDir, std::string& error) {
    model::loadTables();
    const std::filesystem::path name =
        std::filesystem::path(model::PictureFiles[model::AreasPicture]).filename();
    const std::string path = (std::filesystem::path(mediaDir) / name).string();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        error = "areas picture " + path + " not found (--media names the folder that holds it)";
        return false;
    }
    if (!ui::loadPicture(model::AreasPicture, path)) {
        error = "areas picture " + path + " cannot be read: damaged or not a picture";
        return false;
    }
    const ui::Picture* p = ui::pictureHandle(model::AreasPicture);
    if (p == nullptr || p->width < 1 || p->height < 1) {
        ui::freePicture(model::AreasPicture);
        error = "areas picture " + path + " is empty";
        return false;
    }
    return true;
}

BatchEnd runBatch(const Options& options, const CsvSink& sink, BatchTotals& totals, bool progress) {
    const auto start = std::chrono::steady_clock::now();
    totals = BatchTotals{};
    RowWriter out{sink, {}, false};
    out.buffer.reserve(chunkBytes + 1024);
    out.buffer = csvHeader();
    Progress bar = startProgress(progress ? options.runs * options.years : 0);
    BatchEnd end = BatchEnd::Done;

    for (std::int64_t run = 0; run < options.runs && end == BatchEnd::Done; ++run) {
        // Wraps modulo 2^32 by the conversion, as documented for --seed.
        const auto seed =
            static_cast<std::uint32_t>(options.seed + static_cast<std::uint64_t>(run));
        model::seedRandom(seed);
        newGame();
        YearFigures f = takeFigures();
        out.row(run, seed, 0, f);
        std::int64_t year = 0;
        std::int32_t extinctAt = -1;
        while (year < options.years) {
            if (StopRequested) {
                end = BatchEnd::Stopped;
                break;
            }
            totals.animalYears += model::herdCount();
            model::yearStep();
            ++year;
            ++totals.years;
            f = takeFigures();
            out.row(run, seed, year, f);
            if (out.failed) {
                end = BatchEnd::SinkFailed;
                break;
            }
            showProgress(bar, run * options.years + year);
            if (model::herdEmpty()) {
                if (extinctAt < 0) extinctAt = static_cast<std::int32_t>(year);
                if (!options.restart) break;
                // After the row: it shows the year the herd died out, the next year the new game.
                newGame();
            }
        }
        if (end != BatchEnd::Done) break;
        ++totals.runs;
        if (extinctAt >= 0) totals.extinctionYears.push_back(extinctAt);
        totals.lastAnimalsSum += f.animals;
        totals.lastGenepoolSum += f.genepool;
    }
    if (end == BatchEnd::Done) {
        out.flush();
        if (out.failed) end = BatchEnd::SinkFailed;
    }
    endProgress(bar);
    totals.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return end;
}

} // namespace sim
