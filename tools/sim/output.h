// Where selvo-sim's files go: standard output, or files the user named, checked before the
// batch and replaced together after it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace sim {

// One output of a batch (the CSV, the by-year table, the chart). A regular file (or a name
// that does not exist yet) is written to a temporary file beside it; commitOutputs renames all
// of them into place once every one is complete, keeping an old file's mode and, where the
// user may set them, its owner and group. A symbolic link is followed to its target, which is
// then treated the same way; a device or FIFO is written directly, without a temporary file.
struct Output {
    std::string option; // "--out", "--by-year", "--plot"
    std::string path;   // as the user named it; empty for standard output
    std::string target; // what is written: `path` with its symbolic links followed
    bool direct = false;
    bool exists = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    std::FILE* file = nullptr;
    int slot = -1; // the temporary file's name in the signal handler's registry
};

// Looks at every named output without touching any: refuses a missing folder, a folder, a file
// or folder the user may not write (root too when no write bit is set), a file that cannot be
// renamed over (another user's file in a sticky folder), and two outputs that are the same
// file. False with one line naming the user's path.
bool checkOutputs(std::vector<Output>& outputs, std::string& error);

// Opens every output checked before: standard output, the device, or a new temporary file.
// On failure nothing is left behind.
bool openOutputs(std::vector<Output>& outputs, std::string& error);

bool writeOutput(Output& out, std::string_view text);

// The pieces in order, written together.
bool writeOutput(Output& out, const std::vector<std::string_view>& pieces);

// Completes every output: all temporary files are flushed and closed, and only if all of that
// worked are they renamed over their targets, with the cleanup signals held meanwhile. On
// failure every temporary file still there is removed.
bool commitOutputs(std::vector<Output>& outputs, std::string& error);

// Closes without finishing: the temporary files are removed, the targets stay as they were.
void abandonOutputs(std::vector<Output>& outputs);

} // namespace sim
