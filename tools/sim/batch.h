// Running a batch of games on the game's own model and streaming their CSV rows.
#pragma once

#include "tools/sim/options.h"
#include "tools/sim/summary.h"

#include <csignal>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct YearTable;

// Set (from a signal handler, say) to stop a batch after the current year; runBatch then returns
// Stopped. Cleared by nobody but the handler's owner.
extern volatile std::sig_atomic_t StopRequested;

// Loads the model tables and the areas picture from `mediaDir`. False with a one-line message
// naming the file that is missing or unreadable.
bool prepareModel(const std::string& mediaDir, std::string& error);

// Reads the saved game every game starts from (after prepareModel, whose Area map it must have
// been made on); nothing for an empty `path`. False with a one-line message naming the file.
bool prepareStart(const std::string& path, std::string& error);

// Receives the CSV in order, in chunks of whole rows; false when it could not take them.
// `pieces`, where given, takes several chunks at once; otherwise `text` takes them one by one.
struct CsvSink {
    std::function<bool(std::string_view)> text;
    std::function<bool(const std::vector<std::string_view>&)> pieces;
};

enum class BatchEnd { Done, Stopped, SinkFailed, WorkerFailed };

// Plays options.runs games of options.years years from options.seed (seedGiven is not looked
// at) with options.policies, in options.jobs processes (0: one per core), and sends the header
// and every row to `sink` in run order. Needs prepareModel first. Fills `totals` with what was
// finished and `table` with the games year by year (with the figures of the by-year table only
// when options.byYear or options.plot is set); `progress` draws the bar on a terminal.
BatchEnd runBatch(const Options& options, const CsvSink& sink, BatchTotals& totals,
                  YearTable& table, bool progress);

} // namespace sim
