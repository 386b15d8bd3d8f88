// Forked game processes: each puts its rows into a ring of memory it shares with the parent and
// sends its results through a pipe; the parent reads all pipes as they fill and writes the rows
// straight from the rings in run order.
#include "tools/sim/workers.h"

#include "tools/sim/cleanup.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace sim {

namespace {

// The rows of one process, shared with the parent: the process writes at `produced` (which only
// it knows), the parent hands the bytes on and then moves `consumed`. Positions count every byte
// ever written; a byte's place in `data` is its position modulo RingBytes. The parent is the
// batch's one serial part, so the rows are neither piped nor copied into it.
constexpr std::size_t RingBytes = std::size_t(2) << 20;
struct Ring {
    std::atomic<std::uint64_t> consumed{0};
    char data[RingBytes];
};
// Shared between processes, so it must need no lock.
static_assert(std::atomic<std::uint64_t>::is_always_lock_free);

// A frame is a type byte, a 64-bit length and that many bytes. Both kinds begin with the game's
// run and the ring position after its rows so far; a game's rows frames (sent while a long game
// goes on) come before its game frame.
// A process that finishes ends with an end frame, so that one that dies is told from one that
// is done as soon as its pipe closes.
enum FrameType : char { RowsFrame = 'C', GameFrame = 'E', EndFrame = 'Z' };
constexpr std::size_t frameHead = 1 + sizeof(std::uint64_t);

struct RowsHead {
    std::int64_t run;
    std::uint64_t rowsEnd;
};
struct GameHead {
    RowsHead rows;
    std::int64_t years, animalYears;
    std::int32_t lastAnimals, lastGenepool;
    std::uint64_t emptyCount, recordCount;
};

// What the parent keeps of a process that runs ahead of the game it waits for; beyond this the
// process waits on its full pipe.
constexpr std::size_t aheadLimit = std::size_t(64) << 20;

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        // A game process handles no signal, so nothing interrupts it; a pipe takes at least a byte.
        const ssize_t n = ::write(fd, data, size);
        if (n == -1) return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

// An empty vector's data() may be null, which neither append nor memcpy may be given.
template <typename T> void appendRaw(std::string& out, const T* data, std::size_t count) {
    if (count > 0) out.append(reinterpret_cast<const char*>(data), count * sizeof(T));
}

template <typename T> void copyRaw(std::vector<T>& to, const char* from) {
    if (!to.empty()) std::memcpy(to.data(), from, to.size() * sizeof(T));
}

// A game process's two outputs: rows into its ring, frames into the pipe.
struct WorkerOutput {
    int frames;
    Ring& ring;
    std::string pending;
    std::uint64_t produced = 0, sent = 0; // ring positions: written, and told in a frame
    bool ok = true;

    void frame(FrameType type, std::string_view payload) {
        const std::uint64_t length = payload.size();
        pending += type;
        appendRaw(pending, &length, 1);
        pending += payload;
    }
    bool flush() {
        ok = ok && writeAll(frames, pending.data(), pending.size());
        pending.clear();
        sent = produced;
        return ok;
    }
    // Waits, with what was written told first, until the parent has made room for `size` more
    // bytes; false when the parent is gone (its end of the pipe closed).
    bool room(std::size_t size) {
        if (produced + size - ring.consumed.load(std::memory_order_acquire) <= RingBytes)
            return true;
        if (!flush()) return false;
        while (produced + size - ring.consumed.load(std::memory_order_acquire) > RingBytes) {
            pollfd parent{frames, 0, 0};
            if (::poll(&parent, 1, 1) > 0) return ok = false;
        }
        return true;
    }
    // Moves `csv` into the ring, in pieces where it is longer than the ring.
    bool put(std::string& csv) {
        for (std::string_view rest = csv; ok && !rest.empty();) {
            const std::size_t size = std::min(rest.size(), RingBytes / 2);
            if (!room(size)) break;
            const std::size_t at = produced % RingBytes, first = std::min(size, RingBytes - at);
            std::memcpy(ring.data + at, rest.data(), first);
            std::memcpy(ring.data, rest.data() + first, size - first);
            produced += size;
            rest.remove_prefix(size);
        }
        csv.clear();
        return ok;
    }
};

std::string encodeGame(const RowsHead& rows, const GameResult& g) {
    const GameHead head{rows,
                        g.years,
                        g.animalYears,
                        g.lastAnimals,
                        g.lastGenepool,
                        g.emptyYears.size(),
                        g.records.size()};
    std::string out;
    appendRaw(out, &head, 1);
    appendRaw(out, g.emptyYears.data(), g.emptyYears.size());
    appendRaw(out, g.records.data(), g.records.size());
    return out;
}

bool decodeGame(std::string_view in, GameResult& g) {
    GameHead head;
    if (in.size() < sizeof head) return false;
    std::memcpy(&head, in.data(), sizeof head);
    in.remove_prefix(sizeof head);
    if (in.size() != head.emptyCount * sizeof(std::int32_t) + head.recordCount * sizeof(YearRecord))
        return false;
    g.years = head.years;
    g.animalYears = head.animalYears;
    g.lastAnimals = head.lastAnimals;
    g.lastGenepool = head.lastGenepool;
    g.emptyYears.resize(head.emptyCount);
    g.records.resize(head.recordCount);
    copyRaw(g.emptyYears, in.data());
    copyRaw(g.records, in.data() + head.emptyCount * sizeof(std::int32_t));
    return true;
}

// The child's whole life: the next game no process has taken, until none is left, then _exit,
// so that nothing of the parent's (buffered output, open files) is flushed or closed twice.
// Games are handed out one at a time rather than split in advance, so that a core that is
// slower (shared with other work) takes fewer of them.
[[noreturn]] void workerMain(const GameSetup& setup, std::atomic<std::int64_t>& nextRun, int frames,
                             Ring& ring) {
    WorkerOutput out{frames, ring, {}};
    std::string csv;
    std::int64_t run = 0;
    // A long game's rows are told as they come, so that its ring never fills with rows the
    // parent waits for.
    const Drain drain = [&](std::string& text) {
        if (!out.put(text)) return false;
        const RowsHead head{run, out.produced};
        out.frame(RowsFrame, std::string_view(reinterpret_cast<const char*>(&head), sizeof head));
        return out.flush();
    };
    GameResult game;
    bool finished = true;
    for (run = nextRun++; run < setup.options.runs && finished; run = nextRun++) {
        finished = playGame(setup, run, csv, drain, game) == GameEnd::Done && out.put(csv);
        if (!finished) break;
        out.frame(GameFrame, encodeGame({run, out.produced}, game));
        if (out.produced - out.sent >= ChunkBytes || out.pending.size() >= ChunkBytes)
            finished = out.flush();
    }
    if (finished) {
        const RowsHead last{std::numeric_limits<std::int64_t>::max(), out.produced};
        out.frame(EndFrame, std::string_view(reinterpret_cast<const char*>(&last), sizeof last));
        out.flush();
    }
    ::_exit(finished && out.ok ? 0 : 1);
}

// The most one read takes from a pipe.
constexpr std::size_t readSize = std::size_t(256) << 10;

// What a process sent and the parent has not yet handed on, from `begin` to `end`: read
// straight into the free end, and moved or copied only when the free end is too short: to the
// front while they fill at most half the space, otherwise into twice the space.
struct Inbox {
    std::unique_ptr<char[]> bytes;
    std::size_t capacity = 0, begin = 0, end = 0;

    std::size_t size() const { return end - begin; }
    const char* data() const { return bytes.get() + begin; }
    char* room(std::size_t want) {
        if (capacity - end >= want) return bytes.get() + end;
        if (size() + want <= capacity / 2) {
            std::memmove(bytes.get(), data(), size());
        } else {
            const std::size_t grown = std::max(2 * capacity, 2 * (size() + want));
            auto fresh = std::make_unique_for_overwrite<char[]>(grown);
            if (size() > 0) std::memcpy(fresh.get(), data(), size());
            bytes = std::move(fresh);
            capacity = grown;
        }
        end = size();
        begin = 0;
        return bytes.get() + end;
    }
};

struct Worker {
    pid_t pid = -1;
    int fd = -1;
    Ring* ring = nullptr;
    std::uint64_t taken = 0; // ring position up to which rows are handed on or about to be
    Inbox inbox;
    bool ended = false;    // end of file seen
    bool complete = false; // and what came before it ends with an end frame
};

// Reads what `w`'s pipe holds; false only on a read error.
bool receive(Worker& w) {
    const ssize_t n = ::read(w.fd, w.inbox.room(readSize), readSize);
    if (n < 0) return errno == EINTR || errno == EAGAIN;
    w.inbox.end += std::size_t(n);
    if (n == 0) {
        w.ended = true;
        // Nothing more comes: the frames left must be whole and the last an end frame.
        std::string_view rest(w.inbox.data(), w.inbox.size());
        char last = 0;
        for (std::uint64_t length = 0; rest.size() >= frameHead;) {
            std::memcpy(&length, rest.data() + 1, sizeof length);
            if (rest.size() - frameHead < length) break;
            last = rest[0];
            rest.remove_prefix(frameHead + length);
        }
        w.complete = rest.empty() && last == EndFrame;
    }
    return true;
}

// The first complete frame `w` sent and the parent has not taken, if one has arrived, and the
// game it is of.
bool firstFrame(const Worker& w, char& type, std::string_view& payload, RowsHead& head) {
    const std::size_t have = w.inbox.size();
    if (have < frameHead) return false;
    std::uint64_t length = 0;
    std::memcpy(&length, w.inbox.data() + 1, sizeof length);
    if (have - frameHead < length) return false;
    type = w.inbox.data()[0];
    payload = std::string_view(w.inbox.data() + frameHead, length);
    head = {-1, 0};
    if (length >= sizeof head) std::memcpy(&head, payload.data(), sizeof head);
    return true;
}

// Rows on their way out: pieces of the rings, written together, and only then is their room
// given back.
struct RowsOut {
    const GameReceiver& receiver;
    std::vector<std::string_view> pieces;
    std::size_t bytes = 0;

    // The bytes of `w`'s ring up to `end`, which lies in the ring's reach.
    bool take(Worker& w, std::uint64_t end, std::vector<Worker>& workers) {
        const std::size_t at = w.taken % RingBytes, size = end - w.taken;
        const std::size_t first = std::min(size, RingBytes - at);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (first > 0) pieces.emplace_back(w.ring->data + at, first);
        if (size > first) pieces.emplace_back(w.ring->data, size - first);
        w.taken = end;
        bytes += size;
        return bytes < ChunkBytes * 4 && pieces.size() < 256 ? true : write(workers);
    }
    bool write(std::vector<Worker>& workers) {
        const bool ok = pieces.empty() || receiver.rows(pieces);
        pieces.clear();
        bytes = 0;
        for (Worker& w : workers)
            w.ring->consumed.store(w.taken, std::memory_order_release);
        return ok;
    }
};

// A process whose pipe closed before its end frame.
bool died(const Worker& w) {
    return w.ended && !w.complete;
}

// Waits until a process sends more or ends, and takes in what every ready one sent. One that has
// ended is not waited for, nor one far ahead: it sends its games in rising order, so its first
// frame, a later game, stands before the one awaited. False when one has died, or none is left.
bool awaitFrames(std::vector<Worker>& workers, std::vector<pollfd>& polled) {
    polled.clear();
    for (const Worker& w : workers) {
        if (died(w)) return false;
        if (!w.ended && w.inbox.size() < aheadLimit) polled.push_back({w.fd, POLLIN, 0});
    }
    if (polled.empty()) return false;
    if (::poll(polled.data(), polled.size(), -1) < 0) return errno == EINTR;
    for (const pollfd& p : polled) {
        if (p.revents == 0) continue;
        for (Worker& w : workers)
            if (w.fd == p.fd && !receive(w)) return false;
    }
    return true;
}

// Closes the pipes and reaps the processes, stopping them first when `kill`. How each ended is
// known already: one that finished said so with its end frame.
void endWorkers(std::vector<Worker>& workers, bool kill) {
    for (Worker& w : workers) {
        if (w.fd >= 0) ::close(w.fd);
        if (kill && w.pid > 0) ::kill(w.pid, SIGTERM);
    }
    for (Worker& w : workers) {
        if (w.pid <= 0) continue;
        while (::waitpid(w.pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        forgetWorker(w.pid);
    }
}

// Memory shared with the processes forked after it, given back when this ends.
template <typename T> struct SharedMemory {
    T* value = nullptr;
    SharedMemory() {
        void* p =
            ::mmap(nullptr, sizeof(T), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        // Fresh mappings are zero: default initialisation leaves them so without touching them.
        if (p != MAP_FAILED) value = new (p) T;
    }
    ~SharedMemory() {
        if (value != nullptr) ::munmap(value, sizeof(T));
    }
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;
};

} // namespace

int availableCores() {
    // The cores this process may run on, which `taskset` or a container may have narrowed.
    cpu_set_t set;
    return ::sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 1;
}

BatchEnd playInWorkers(const GameSetup& setup, int jobs, const GameReceiver& receiver) {
    // The next game to be taken, shared by the processes; one ring each.
    const SharedMemory<std::atomic<std::int64_t>> nextRun;
    std::vector<std::unique_ptr<SharedMemory<Ring>>> rings;
    std::vector<Worker> workers(static_cast<std::size_t>(jobs));
    const auto failed = [&] {
        endWorkers(workers, true);
        return BatchEnd::WorkerFailed;
    };
    if (nextRun.value == nullptr) return BatchEnd::WorkerFailed;
    // Whatever the parent has buffered must not be written by a child too.
    std::fflush(nullptr);
    for (int k = 0; k < jobs; ++k) {
        Worker& worker = workers[std::size_t(k)];
        rings.push_back(std::make_unique<SharedMemory<Ring>>());
        worker.ring = rings.back()->value;
        int ends[2];
        if (worker.ring == nullptr || ::pipe2(ends, O_CLOEXEC) != 0) return failed();
        // Fewer wake-ups for the parent; refused sizes just keep the default.
        ::fcntl(ends[1], F_SETPIPE_SZ, 1 << 20);
        // Held across the fork: a signal now is handled by the parent, once it knows the child.
        const SignalsHeld held;
        const pid_t pid = ::fork();
        if (pid == 0) {
            defaultSignals();
            ::close(ends[0]);
            for (int j = 0; j < k; ++j)
                ::close(workers[std::size_t(j)].fd);
            workerMain(setup, *nextRun.value, ends[1], *worker.ring);
        }
        ::close(ends[1]);
        worker.fd = ends[0];
        if (pid < 0) return failed();
        worker.pid = pid;
        registerWorker(pid);
    }

    BatchEnd end = BatchEnd::Done;
    RowsOut rows{receiver, {}, 0};
    std::vector<pollfd> polled;
    GameResult game;
    for (std::int64_t run = 0; run < setup.options.runs && end == BatchEnd::Done;) {
        // Each process sends its games in rising order, so the next game's frames, once they
        // have arrived, come first from one of them.
        Worker* holder = nullptr;
        char type = 0;
        std::string_view payload;
        RowsHead head{};
        for (Worker& w : workers)
            if (firstFrame(w, type, payload, head) && head.run == run) {
                holder = &w;
                break;
            }
        if (holder != nullptr) {
            holder->inbox.begin += frameHead + payload.size();
            if (head.rowsEnd < holder->taken || head.rowsEnd - holder->taken > RingBytes) {
                end = BatchEnd::WorkerFailed;
            } else if (!rows.take(*holder, head.rowsEnd, workers)) {
                end = BatchEnd::SinkFailed;
            } else if (type == GameFrame && decodeGame(payload, game)) {
                receiver.done(run, game);
                ++run;
            } else if (type != RowsFrame) {
                end = BatchEnd::WorkerFailed;
            }
            continue;
        }
        // Nothing to do until more arrives: what is gathered goes out first, so that no
        // process waits for room while the parent waits for it.
        if (!rows.write(workers)) {
            end = BatchEnd::SinkFailed;
            break;
        }
        if (StopRequested) {
            end = BatchEnd::Stopped;
            break;
        }
        // Wait for whichever process plays the next game, and meanwhile take in what the others
        // send.
        if (!awaitFrames(workers, polled)) end = BatchEnd::WorkerFailed;
    }
    if (end == BatchEnd::Done && !rows.write(workers)) end = BatchEnd::SinkFailed;
    // Each process ends on its own once no game is left; closing its pipe first would kill it.
    const auto running = [](const Worker& w) { return !w.ended; };
    while (end == BatchEnd::Done && std::any_of(workers.begin(), workers.end(), running))
        if (StopRequested)
            end = BatchEnd::Stopped;
        else if (!awaitFrames(workers, polled))
            end = BatchEnd::WorkerFailed;
    if (end == BatchEnd::Done && std::any_of(workers.begin(), workers.end(), died))
        end = BatchEnd::WorkerFailed;
    endWorkers(workers, end != BatchEnd::Done);
    return end;
}

} // namespace sim
