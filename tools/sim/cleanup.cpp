// The signal handler's registry: fixed arrays written before their entries become visible, so
// that a handler arriving at any moment sees either nothing or a complete entry.
#include "tools/sim/cleanup.h"

#include "tools/sim/options.h"

#include <sys/wait.h>
#include <unistd.h>

namespace sim {

namespace {

// One per output (the CSV, the by-year table, the chart) and one to spare.
constexpr int tempSlots = 4;
char tempNames[tempSlots][TempNameSize];
volatile std::sig_atomic_t tempUsed[tempSlots];

volatile pid_t workers[MaxJobs];

extern "C" void endOnSignal(int signal) {
    removeTemporaryFiles();
    killWorkers();
    ::_exit(128 + signal);
}

} // namespace

void installCleanupHandlers() {
    struct sigaction action {};
    action.sa_handler = endOnSignal;
    sigemptyset(&action.sa_mask);
    // A second signal while the first is handled waits; the first one's status stands.
    for (int s : CleanupSignals)
        sigaddset(&action.sa_mask, s);
    for (int s : CleanupSignals)
        ::sigaction(s, &action, nullptr);
}

SignalsHeld::SignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int s : CleanupSignals)
        sigaddset(&held, s);
    ::sigprocmask(SIG_BLOCK, &held, &before_);
}

SignalsHeld::~SignalsHeld() {
    ::sigprocmask(SIG_SETMASK, &before_, nullptr);
}

void defaultSignals() {
    for (int s : CleanupSignals)
        std::signal(s, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

int claimTempSlot() {
    for (int i = 0; i < tempSlots; ++i)
        if (!tempUsed[i]) {
            tempNames[i][0] = '\0';
            tempUsed[i] = 1;
            return i;
        }
    return -1;
}

char* tempSlotName(int slot) {
    return tempNames[slot];
}

void releaseTempSlot(int slot) {
    if (slot >= 0) tempUsed[slot] = 0;
}

void registerWorker(pid_t pid) {
    for (volatile pid_t& w : workers)
        if (w == 0) {
            w = pid;
            return;
        }
}

void forgetWorker(pid_t pid) {
    for (volatile pid_t& w : workers)
        if (w == pid) w = 0;
}

void removeTemporaryFiles() {
    for (int i = 0; i < tempSlots; ++i)
        if (tempUsed[i]) ::unlink(tempNames[i]); // an empty name is refused harmlessly
}

void killWorkers() {
    for (volatile pid_t& w : workers)
        if (w > 0) ::kill(w, SIGKILL);
    // Gone before our own status is seen, so that none of them writes after it.
    for (volatile pid_t& w : workers)
        if (w > 0) ::waitpid(w, nullptr, 0);
}

} // namespace sim
