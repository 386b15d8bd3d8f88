// Drawing the progress bar with carriage returns on standard error.
#include "tools/sim/progress.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace sim {

namespace {
// Below this many years a batch takes well under a second.
constexpr std::int64_t worthShowing = 20'000;
constexpr int barWidth = 40;
} // namespace

Progress startProgress(std::int64_t totalYears) {
    Progress p;
    p.total = totalYears;
    p.enabled = totalYears >= worthShowing && ::isatty(STDERR_FILENO) == 1;
    return p;
}

void showProgress(Progress& p, std::int64_t doneYears) {
    if (!p.enabled) return;
    const int percent = static_cast<int>(doneYears * 100 / p.total);
    if (percent == p.shown) return;
    p.shown = percent;
    char bar[barWidth + 1];
    const int filled = percent * barWidth / 100;
    for (int i = 0; i < barWidth; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[barWidth] = '\0';
    std::fprintf(stderr, "\r[%s] %3d%%", bar, percent);
    std::fflush(stderr);
}

void endProgress(Progress& p) {
    if (!p.enabled || p.shown < 0) return;
    std::fprintf(stderr, "\r%*s\r", barWidth + 8, "");
    std::fflush(stderr);
}

bool writableDescriptor(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags != -1 && (flags & O_ACCMODE) != O_RDONLY;
}

void countFinished(int fd, std::int64_t finished) {
    if (fd < 0) return;
    const std::string line = std::to_string(finished) + "\n";
    // One write of a short line to a pipe is whole or nothing. Progress is a courtesy: a line
    // lost (to a signal, a full pipe) is made good by the next, which carries the whole count;
    // the games' own results are what must not fail.
    (void)!::write(fd, line.data(), line.size());
}

} // namespace sim
