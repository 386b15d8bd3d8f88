// The batch: setting up the model once, playing the games here or in worker processes, and
// gathering their rows, totals and by-year figures in run order.
#include "tools/sim/batch.h"

#include "model/areas.h"
#include "model/savegame.h"
#include "model/tables.h"
#include "tools/sim/byyear.h"
#include "tools/sim/csv.h"
#include "tools/sim/game.h"
#include "tools/sim/progress.h"
#include "tools/sim/workers.h"
#include "ui/picture.h"

#include <chrono>
#include <filesystem>
#include <optional>

namespace sim {

volatile std::sig_atomic_t StopRequested = 0;

namespace {

// The one picture the simulator reads: the game's areas picture, by its file name.
constexpr const char* AreasFile = "KarteGebiete.png";

// The saved game of --from, read once before the batch.
std::optional<model::SavedGame> startState;

struct RowWriter {
    const CsvSink& sink;
    std::string buffer;
    bool failed = false;

    bool flush() {
        if (!failed && !buffer.empty() && !sink.text(buffer)) failed = true;
        buffer.clear();
        return !failed;
    }
    // Rows that lie elsewhere, after what is buffered here.
    bool write(const std::vector<std::string_view>& pieces) {
        if (!flush()) return false;
        if (sink.pieces) return failed = !sink.pieces(pieces), !failed;
        for (std::string_view piece : pieces)
            if (!sink.text(piece)) return failed = true, false;
        return true;
    }
};

} // namespace

bool prepareStart(const std::string& path, std::string& error) {
    startState.reset();
    if (path.empty()) return true;
    model::SavedGame game;
    if (!model::loadSavedGame(path, game, error)) {
        error = "--from " + path + ": " + error;
        return false;
    }
    startState = std::move(game);
    return true;
}

bool prepareModel(const std::string& mediaDir, std::string& error) {
    model::loadTables();
    const std::filesystem::path name = AreasFile;
    const std::string path = (std::filesystem::path(mediaDir) / name).string();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        error = "areas picture " + path + " not found (--media names the folder that holds it)";
        return false;
    }
    // Read into a spare number only to decode it; the model keeps the values.
    constexpr int scratch = 0;
    if (!ui::loadPicture(scratch, path)) {
        error = "areas picture " + path + " cannot be read: damaged or not a picture";
        return false;
    }
    const ui::Picture* p = ui::pictureHandle(scratch);
    model::setAreaMap({p->width, p->height, ui::pixelValues(*p)});
    ui::freePicture(scratch);
    if (!model::hasAreaMap()) {
        error = "areas picture " + path + " is empty";
        return false;
    }
    return true;
}

BatchEnd runBatch(const Options& options, const CsvSink& sink, BatchTotals& totals,
                  YearTable& table, bool progress) {
    const auto start = std::chrono::steady_clock::now();
    totals = BatchTotals{};
    totals.policy = policyText(options.policies);
    GameSetup setup{options,
                    {},
                    !options.byYear.empty() || !options.plot.empty(),
                    startState ? &*startState : nullptr};
    for (Policy p : options.policies)
        if (p == Policy::Spread) setup.points = releasePoints(model::areaMap());
    table = startTable(options.runs, options.years, setup.records);

    RowWriter out{sink, {}, false};
    out.buffer.reserve(ChunkBytes + 1024);
    out.buffer = csvHeader();
    Progress bar = progress ? startProgress(options.runs * options.years) : Progress{};
    const auto gameDone = [&](std::int64_t run, const GameResult& g) {
        ++totals.runs;
        totals.years += g.years;
        totals.animalYears += g.animalYears;
        if (!g.emptyYears.empty()) totals.extinctionYears.push_back(g.emptyYears.front());
        totals.extinctions += std::int64_t(g.emptyYears.size());
        totals.lastAnimalsSum += g.lastAnimals;
        totals.lastGenepoolSum += g.lastGenepool;
        addGame(table, run, options.restart, g);
        showProgress(bar, (run + 1) * options.years);
        countFinished(options.progressFd, totals.runs);
    };

    const std::int64_t jobs =
        std::min(options.runs, options.jobs > 0 ? options.jobs : availableCores());
    BatchEnd end = BatchEnd::Done;
    if (jobs > 1) {
        const GameReceiver receiver{
            [&](const std::vector<std::string_view>& pieces) { return out.write(pieces); },
            gameDone};
        end = playInWorkers(setup, int(jobs), receiver);
    } else {
        GameResult game;
        for (std::int64_t run = 0; run < options.runs && end == BatchEnd::Done; ++run) {
            const Drain drain = [&](std::string&) {
                showProgress(bar, run * options.years + game.years);
                return out.flush();
            };
            const GameEnd e = playGame(setup, run, out.buffer, drain, game);
            if (e == GameEnd::Done)
                gameDone(run, game);
            else
                end = e == GameEnd::Stopped ? BatchEnd::Stopped : BatchEnd::SinkFailed;
        }
    }
    if (end == BatchEnd::Done && !out.flush()) end = BatchEnd::SinkFailed;
    endProgress(bar);
    totals.halfLostYear = firstYearBelowHalf(table);
    totals.halfDiedYear = firstYearBelowHalf(table, true);
    totals.restart = options.restart;
    totals.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return end;
}

} // namespace sim
