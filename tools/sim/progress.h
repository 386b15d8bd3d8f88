// A one-line progress bar on standard error, shown only to a person at a terminal.
#pragma once

#include <cstdint>

namespace sim {

struct Progress {
    bool enabled = false;
    std::int64_t total = 0; // years to simulate
    int shown = -1;         // percent last drawn
};

// Enabled when standard error is a terminal and the batch is long enough to wait for. Driven
// by the work done rather than the clock, so it never depends on timing.
Progress startProgress(std::int64_t totalYears);
void showProgress(Progress& p, std::int64_t doneYears);
// Clears the bar so that the summary starts on a clean line.
void endProgress(Progress& p);

// Whether `fd` is a descriptor open for writing, which --progress-fd needs.
bool writableDescriptor(int fd);
// Writes `finished` as a line to `fd` (nothing for -1). A reader that has gone away ends the
// run through SIGPIPE, which cleans up like any other signal.
void countFinished(int fd, std::int64_t finished);

} // namespace sim
