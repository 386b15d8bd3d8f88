// Where selvo-sim's files go: standard output, or a file the user named, written through.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace sim {

// One output of a batch (the CSV, the by-year table, the chart). A regular file (or a name
// that does not exist yet) appears complete or not at all: it is written to a temporary file
// beside it that finishOutput renames into place, keeping the old file's permission bits. A
// symbolic link is followed to its target, which is then treated the same way; a device, FIFO
// or other file that is not regular is written directly, without a temporary file.
struct Output {
    std::FILE* file = nullptr;
    std::string path;     // as the user named it; empty for standard output
    std::string target;   // what is written: `path` with its symbolic links followed
    std::string tempPath; // empty when written directly
};

// Standard output for an empty `path`. Otherwise resolves `path` and opens it as described
// above; nothing visible changes yet for a regular file. False with a one-line message naming
// `option` or the file when the path is a folder or cannot be created or opened.
bool openOutput(const std::string& option, const std::string& path, Output& out,
                std::string& error);

bool writeOutput(Output& out, std::string_view text);

// Flushes and closes; a temporary file is renamed over the target. On failure the temporary
// file is removed and the target left as it was.
bool finishOutput(Output& out, std::string& error);

// Closes without finishing: a temporary file is removed, the target stays as it was. Safe to
// call twice.
void abandonOutput(Output& out);

} // namespace sim
