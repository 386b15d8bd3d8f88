// Where the CSV goes: standard output, or a file that appears complete or not at all.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace sim {

struct Output {
    std::FILE* file = nullptr;
    std::string path;     // the --out file; empty for standard output
    std::string tempPath; // what is written until finishOutput renames it to `path`
};

// Standard output for an empty `path`; otherwise creates a new temporary file beside `path`
// (its folder must exist and be writable) and leaves `path` itself untouched. False with a
// one-line message when that fails.
bool openOutput(const std::string& path, Output& out, std::string& error);

bool writeOutput(Output& out, std::string_view text);

// Flushes, closes and renames the temporary file over `path`. On failure the temporary file is
// removed and `path` left as it was.
bool finishOutput(Output& out, std::string& error);

// Closes and removes the temporary file; `path` stays as it was. Safe to call twice.
void abandonOutput(Output& out);

} // namespace sim
