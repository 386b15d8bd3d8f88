// Reading picture files, and a second thread that reads a list of them ahead of their first use.
#include "ui/picture_files.h"

#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

namespace ui::files {

namespace {

// Larger files are refused unread; no picture within the pixel budget needs more.
constexpr std::uintmax_t MaxFileBytes = std::uintmax_t{64} * 1024 * 1024;

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > MaxFileBytes) return false;

    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    bytes.resize(std::size_t(size));
    const bool complete = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    return complete;
}

enum class State { Queued, Reading, Read };

// One number of the list. A number whose path an earlier one already names takes its picture
// from that one (its `original`) instead of reading the file again.
struct Entry {
    std::string path;
    int original = -1;
    int users = 1;       // numbers still to take this entry's picture: itself and those copying it
    bool pending = true; // until its number takes the picture
    // Shared with the thread, under the lock:
    State state = State::Queued;
    bool read = false; // the file was read and decoded
    Picture picture;
};

// The list and the thread reading it. The thread only ever takes queued entries and fills in
// their picture; the main thread alone adds lists and hands pictures over.
struct Reader {
    std::mutex lock;
    std::condition_variable finished; // signalled whenever an entry is read
    std::vector<Entry> entries;
    std::thread thread;
    int filesRead = 0;

    ~Reader() {
        if (thread.joinable()) thread.join();
    }
} reader;

// Reads one queued entry, taken under `lock`, and releases the lock meanwhile.
void readEntry(Entry& entry, std::unique_lock<std::mutex>& lock) {
    entry.state = State::Reading;
    const std::string path = entry.path;
    lock.unlock();
    Picture picture;
    const bool read = readPicture(path, picture);
    lock.lock();
    entry.picture = std::move(picture);
    entry.read = read;
    entry.state = State::Read;
    ++reader.filesRead;
    reader.finished.notify_all();
}

void readQueued() {
    std::unique_lock<std::mutex> lock(reader.lock);
    for (Entry& entry : reader.entries)
        if (entry.original < 0 && entry.state == State::Queued) readEntry(entry, lock);
}

} // namespace

bool readPicture(const std::string& path, Picture& out) {
    std::vector<std::uint8_t> bytes;
    out = Picture{};
    return readWholeFile(path, bytes) && decodePicture(bytes.data(), bytes.size(), out);
}

void startReading(const std::vector<std::string>& paths) {
    for (int n = 0; n < int(reader.entries.size()); ++n)
        if (isPending(n)) take(n);
    if (reader.thread.joinable()) reader.thread.join();

    reader.entries.assign(paths.size(), Entry{});
    for (std::size_t n = 0; n < paths.size(); ++n) {
        Entry& entry = reader.entries[n];
        entry.path = paths[n];
        for (std::size_t earlier = 0; earlier < n && entry.original < 0; ++earlier)
            if (paths[earlier] == paths[n]) entry.original = int(earlier);
        if (entry.original >= 0) ++reader.entries[std::size_t(entry.original)].users;
    }
    reader.thread = std::thread(readQueued);
}

bool isPending(int n) {
    return n >= 0 && n < int(reader.entries.size()) && reader.entries[std::size_t(n)].pending;
}

std::optional<Picture> take(int n) {
    Entry& entry = reader.entries[std::size_t(n)];
    Entry& source = entry.original >= 0 ? reader.entries[std::size_t(entry.original)] : entry;
    entry.pending = false;
    std::unique_lock<std::mutex> lock(reader.lock);
    if (source.state == State::Queued) readEntry(source, lock);
    reader.finished.wait(lock, [&] { return source.state == State::Read; });
    // The last number to take a picture gets it; the others get copies.
    const bool last = --source.users == 0;
    if (!source.read) return std::nullopt;
    return last ? std::move(source.picture) : source.picture;
}

int listFilesRead() {
    const std::lock_guard<std::mutex> guard(reader.lock);
    return reader.filesRead;
}

} // namespace ui::files
