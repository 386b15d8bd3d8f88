// The simulator as a child process: the saved herd goes in as an anonymous memory file, the
// count of finished futures, the by-year table and any message come back through pipes.
#include "report/forecast_run.h"

#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace report {

ForecastSetup forecastSetup;
ForecastState forecast;

namespace {

// The descriptors the child gets: the saved game, the count, the table.
constexpr int childState = 3, childCount = 4, childTable = 5;
// What the child may say on standard error before it is cut short.
constexpr std::size_t maxMessage = 64 * 1024;
constexpr int stopWaitMs = 2000;

struct Pipe {
    int fd = -1;
    std::string text;
    bool open() const { return fd >= 0; }
};

struct Child {
    pid_t pid = -1;
    int choice = 0;
    int state = -1; // the memory file, kept for the next choice
    Pipe count, table, message;
} child;

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

bool executable(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

std::string simulator() {
    if (!forecastSetup.program.empty()) return forecastSetup.program;
    char self[4096];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        const std::string own(self, std::size_t(n));
        const std::string dir = own.substr(0, own.rfind('/') + 1);
        for (const std::string& candidate :
             {dir + "selvo-sim", dir + SELVO_SIM_FROM_GAME + "/selvo-sim"})
            if (executable(candidate)) return candidate;
    }
    return "selvo-sim";
}

// Reads what `p` holds without waiting; false at its end (or on an error), when it is closed.
bool drain(Pipe& p) {
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(p.fd, buffer, sizeof buffer);
        if (n > 0) {
            if (p.text.size() < maxMessage || &p != &child.message)
                p.text.append(buffer, std::size_t(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
        closeFd(p.fd);
        return false;
    }
}

// The last complete line of the count: the futures of this choice finished so far.
int lastCount(const std::string& text) {
    const std::size_t end = text.rfind('\n');
    if (end == std::string::npos) return 0;
    const std::size_t start = end == 0 ? std::string::npos : text.rfind('\n', end - 1);
    return std::atoi(text.c_str() + (start == std::string::npos ? 0 : start + 1));
}

// The simulator's first message line, without its program name.
std::string firstMessage(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (line.starts_with("selvo-sim: ")) line.erase(0, 11);
    return line;
}

void fail(const std::string& why) {
    stopForecast();
    forecast.failure = why;
}

// Starts the simulator for `choice`; when it cannot be started, the forecast ends with why.
void startChoice(int choice) {
    // The count, the table and the messages: a pipe each, read here from the first end.
    Pipe* const pipes[] = {&child.count, &child.table, &child.message};
    const int childEnds[] = {childCount, childTable, STDERR_FILENO};
    int ends[3][2];
    for (int k = 0; k < 3; ++k) {
        if (::pipe2(ends[k], O_CLOEXEC) == 0) continue;
        for (int j = 0; j < k; ++j)
            ::close(ends[j][0]), ::close(ends[j][1]);
        return fail("kein Prozess");
    }
    const std::string program = simulator();
    const std::string seed = std::to_string(forecast.seed);
    const std::string runs = std::to_string(ForecastRuns), years = std::to_string(ForecastYears);
    const std::string from = "/dev/fd/" + std::to_string(childState);
    const std::string countFd = std::to_string(childCount);
    const std::string tableFile = "/dev/fd/" + std::to_string(childTable);
    std::vector<const char*> args{program.c_str(), "--from",      from.c_str(),
                                  "--seed",        seed.c_str(),  "--runs",
                                  runs.c_str(),    "--years",     years.c_str(),
                                  "--policy",      ForecastChoices[std::size_t(choice)].policy,
                                  "--by-year",     tableFile.c_str(),
                                  "--out",         "/dev/null",
                                  "--progress-fd", countFd.c_str(),
                                  "--media",       forecastSetup.mediaDir.c_str(),
                                  nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, child.state, childState);
    for (int k = 0; k < 3; ++k)
        posix_spawn_file_actions_adddup2(&actions, ends[k][1], childEnds[k]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_init(&attributes);
    // A group of its own, so that stopping it reaches its game processes too; signals as new.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                              POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    auto* argv = const_cast<char* const*>(args.data());
    const int error = program.find('/') == std::string::npos
                          ? posix_spawnp(&pid, program.c_str(), &actions, &attributes, argv, environ)
                          : posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    for (auto& end : ends)
        ::close(end[1]);
    if (error != 0) {
        for (auto& end : ends)
            ::close(end[0]);
        return fail(program + (error == ENOENT   ? " nicht gefunden"
                               : error == EACCES ? " ist nicht ausführbar"
                                                 : " startet nicht (Fehler " +
                                                       std::to_string(error) + ")"));
    }
    child.pid = pid;
    child.choice = choice;
    for (int k = 0; k < 3; ++k) {
        pipes[k]->fd = ends[k][0];
        pipes[k]->text.clear();
        ::fcntl(ends[k][0], F_SETFL, ::fcntl(ends[k][0], F_GETFL) | O_NONBLOCK);
    }
}

// The child has closed every pipe: reaps it, keeps its table and starts the next choice.
bool finishChoice() {
    int status = 0;
    const pid_t done = ::waitpid(child.pid, &status, WNOHANG);
    if (done == 0) return false; // not quite gone yet; the next poll reaps it
    child.pid = -1;
    if (done < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const std::string said = firstMessage(child.message.text);
        fail(!said.empty()                ? said
             : done >= 0 && WIFEXITED(status) ? "selvo-sim endete mit Status " +
                                                    std::to_string(WEXITSTATUS(status))
                                              : std::string("selvo-sim wurde abgebrochen"));
        return true;
    }
    std::string error;
    auto& table = forecast.tables[std::size_t(child.choice)];
    if (!parseForecastTable(child.table.text, table, error)) {
        fail("die Tabelle von selvo-sim ist unlesbar: " + error);
        return true;
    }
    forecast.finished = (child.choice + 1) * ForecastRuns;
    const int next = child.choice + 1;
    if (next < int(ForecastChoices.size())) {
        startChoice(next);
    } else {
        stopForecast();
    }
    return true;
}

} // namespace

void startForecast(const std::string& savedGame, std::uint32_t seed) {
    stopForecast();
    forecast = ForecastState{};
    forecast.seed = seed;
    forecast.running = true;
    child.state = ::memfd_create("selvo-prognose", MFD_CLOEXEC);
    bool written = child.state >= 0;
    for (std::size_t done = 0; written && done < savedGame.size();) {
        const ssize_t n = ::write(child.state, savedGame.data() + done, savedGame.size() - done);
        if (n < 0 && errno == EINTR) continue;
        written = n > 0;
        if (written) done += std::size_t(n);
    }
    if (!written) {
        fail(std::string("der Spielstand lässt sich nicht übergeben: ") + std::strerror(errno));
        return;
    }
    startChoice(0);
}

bool pollForecast() {
    if (!forecast.running || child.pid < 0) return false;
    bool changed = false;
    if (child.count.open()) {
        drain(child.count);
        const int finished = child.choice * ForecastRuns + lastCount(child.count.text);
        changed = finished != forecast.finished;
        forecast.finished = finished;
    }
    if (child.table.open()) drain(child.table);
    if (child.message.open()) drain(child.message);
    if (!child.count.open() && !child.table.open() && !child.message.open())
        changed = finishChoice() || changed;
    return changed;
}

void stopForecast() {
    if (child.pid > 0) {
        ::kill(-child.pid, SIGTERM);
        int status = 0;
        pid_t done = 0;
        for (int waited = 0; waited < stopWaitMs; waited += 5) {
            done = ::waitpid(child.pid, &status, WNOHANG);
            if (done != 0) break;
            ::usleep(5000);
        }
        if (done == 0) {
            ::kill(-child.pid, SIGKILL);
            ::waitpid(child.pid, &status, 0);
        }
        // The game processes are the simulator's own children: it reaps them before it ends,
        // and a forced stop leaves them to the group's signal and to init.
        child.pid = -1;
    }
    closeFd(child.count.fd);
    closeFd(child.table.fd);
    closeFd(child.message.fd);
    closeFd(child.state);
    forecast.running = false;
}

std::uint32_t freshForecastSeed() {
    std::random_device entropy;
    return entropy();
}

} // namespace report
