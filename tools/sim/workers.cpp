// Forked game processes: each streams framed rows and results through a pipe; the parent reads
// all pipes as they fill and hands the frames on in run order.
#include "tools/sim/workers.h"

#include "tools/sim/cleanup.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace sim {

namespace {

// A frame is a type byte, a 64-bit length and that many bytes.
enum FrameType : char { RowsFrame = 'C', GameFrame = 'E' };
constexpr std::size_t frameHead = 1 + sizeof(std::uint64_t);

// What the parent keeps of a process that runs ahead of the game it waits for; beyond this the
// process waits on its full pipe.
constexpr std::size_t aheadLimit = std::size_t(64) << 20;

struct GameHead {
    std::int64_t years, animalYears;
    std::int32_t lastAnimals, lastGenepool;
    std::uint64_t emptyCount, recordCount;
};

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
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

struct FrameWriter {
    int fd;
    std::string pending;
    bool ok = true;

    void frame(FrameType type, std::string_view payload) {
        const std::uint64_t length = payload.size();
        pending += type;
        appendRaw(pending, &length, 1);
        pending += payload;
        if (pending.size() >= ChunkBytes) flush();
    }
    void flush() {
        if (ok) ok = writeAll(fd, pending.data(), pending.size());
        pending.clear();
    }
};

std::string encodeGame(const GameResult& g) {
    const GameHead head{g.years,        g.animalYears,       g.lastAnimals,
                        g.lastGenepool, g.emptyYears.size(), g.records.size()};
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

// The child's whole life: its games in order, then _exit, so that nothing of the parent's
// (buffered output, open files) is flushed or closed twice.
[[noreturn]] void workerMain(const GameSetup& setup, int first, int jobs, int fd) {
    FrameWriter out{fd, {}};
    std::string csv;
    const Drain drain = [&](std::string& rows) {
        out.frame(RowsFrame, rows);
        rows.clear();
        return out.ok;
    };
    GameResult game;
    bool finished = true;
    for (std::int64_t run = first; run < setup.options.runs && finished && out.ok; run += jobs) {
        finished = playGame(setup, run, csv, drain, game) == GameEnd::Done;
        if (finished && !csv.empty()) finished = drain(csv);
        if (finished) out.frame(GameFrame, encodeGame(game));
    }
    out.flush();
    ::_exit(finished && out.ok ? 0 : 1);
}

// The most one read takes from a pipe.
constexpr std::size_t readSize = std::size_t(256) << 10;

// What a process sent and the parent has not yet handed on, from `begin` to `end`. The parent
// is the batch's one serial part, so its bytes are read straight into the free end and moved or
// copied only when the free end is too short: to the front while they fill at most half the
// space, otherwise into twice the space.
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
    Inbox inbox;
    bool ended = false; // end of file seen
};

// Reads what `w`'s pipe holds; false only on a read error.
bool receive(Worker& w) {
    const ssize_t n = ::read(w.fd, w.inbox.room(readSize), readSize);
    if (n < 0) return errno == EINTR || errno == EAGAIN;
    if (n == 0) w.ended = true;
    w.inbox.end += std::size_t(n);
    return true;
}

// The next complete frame of `w`, if one has arrived.
bool nextFrame(Worker& w, char& type, std::string_view& payload) {
    const std::size_t have = w.inbox.size();
    if (have < frameHead) return false;
    std::uint64_t length = 0;
    std::memcpy(&length, w.inbox.data() + 1, sizeof length);
    if (have - frameHead < length) return false;
    type = w.inbox.data()[0];
    payload = std::string_view(w.inbox.data() + frameHead, length);
    w.inbox.begin += frameHead + length;
    return true;
}

void endWorkers(std::vector<Worker>& workers, bool kill, bool& clean) {
    for (Worker& w : workers) {
        if (w.fd >= 0) ::close(w.fd);
        if (kill && w.pid > 0) ::kill(w.pid, SIGTERM);
    }
    for (Worker& w : workers) {
        int status = 0;
        if (w.pid <= 0) continue;
        while (::waitpid(w.pid, &status, 0) < 0 && errno == EINTR) {
        }
        forgetWorker(w.pid);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) clean = false;
    }
}

} // namespace

int availableCores() {
    cpu_set_t set;
    if (::sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
    const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
    return online > 1 ? int(online) : 1;
}

BatchEnd playInWorkers(const GameSetup& setup, int jobs, const GameReceiver& receiver) {
    std::vector<Worker> workers(static_cast<std::size_t>(jobs));
    // Whatever the parent has buffered must not be written by a child too.
    std::fflush(nullptr);
    for (int k = 0; k < jobs; ++k) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            bool clean = true;
            endWorkers(workers, true, clean);
            return BatchEnd::WorkerFailed;
        }
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
            workerMain(setup, k, jobs, ends[1]);
        }
        ::close(ends[1]);
        workers[std::size_t(k)].fd = ends[0];
        if (pid < 0) {
            bool clean = true;
            endWorkers(workers, true, clean);
            return BatchEnd::WorkerFailed;
        }
        workers[std::size_t(k)].pid = pid;
        registerWorker(pid);
    }

    BatchEnd end = BatchEnd::Done;
    std::vector<pollfd> polled;
    GameResult game;
    for (std::int64_t run = 0; run < setup.options.runs && end == BatchEnd::Done;) {
        Worker& current = workers[std::size_t(run % jobs)];
        char type = 0;
        std::string_view payload;
        if (nextFrame(current, type, payload)) {
            if (type == RowsFrame) {
                if (!receiver.csv(payload)) end = BatchEnd::SinkFailed;
            } else if (type == GameFrame && decodeGame(payload, game)) {
                receiver.done(run, game);
                ++run;
            } else {
                end = BatchEnd::WorkerFailed;
            }
            continue;
        }
        if (StopRequested) {
            end = BatchEnd::Stopped;
            break;
        }
        if (current.ended) {
            end = BatchEnd::WorkerFailed;
            break;
        }
        // Wait for the process whose game is next, and meanwhile take in what the others send.
        polled.clear();
        for (const Worker& w : workers)
            if (!w.ended && (&w == &current || w.inbox.size() < aheadLimit))
                polled.push_back({w.fd, POLLIN, 0});
        if (::poll(polled.data(), polled.size(), -1) < 0) {
            if (errno != EINTR) end = BatchEnd::WorkerFailed;
            continue;
        }
        for (const pollfd& p : polled) {
            if (p.revents == 0) continue;
            for (Worker& w : workers)
                if (w.fd == p.fd && !receive(w)) end = BatchEnd::WorkerFailed;
        }
    }
    bool clean = true;
    endWorkers(workers, end != BatchEnd::Done, clean);
    if (end == BatchEnd::Done && !clean) end = BatchEnd::WorkerFailed;
    return end;
}

} // namespace sim
