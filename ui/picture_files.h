// Reading picture files: one at once, or a whole list on a second thread while the caller goes
// on. Used by the picture table only; every function here is called from the main thread.
#pragma once

#include "ui/picture.h"

#include <optional>
#include <string>
#include <vector>

namespace ui::files {

// Reads and decodes the file at `path`; false, with `out` emptied, for a file that is missing,
// not a regular file, oversized or damaged.
bool readPicture(const std::string& path, Picture& out);

// Starts reading paths[n] for every number n on a second thread, in order; a path named again
// is read once. Anything still pending from an earlier list is handed over (and dropped) first.
void startReading(const std::vector<std::string>& paths);

// Whether number `n`'s file is still to be handed over.
bool isPending(int n);

// Hands over number `n`'s picture, waiting for the thread to finish it, or reading it here when
// the thread has not begun it; nullopt when the file could not be read. `n` is then no longer
// pending. Must only be called while isPending(n).
std::optional<Picture> take(int n);

// How many files the lists have had read, on either thread, since the program started: the
// tests' way to see that a file is read ahead, and once however it is asked for.
int listFilesRead();

} // namespace ui::files
