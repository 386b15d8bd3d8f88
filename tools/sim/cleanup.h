// What a signal that ends selvo-sim must undo: the temporary files beside the outputs and the
// game processes. Everything here that a handler calls is async-signal-safe.
#pragma once

#include <csignal>
#include <sys/types.h>

namespace sim {

// The signals after which nothing of a batch may stay behind; the status is then 128 + signal.
constexpr int CleanupSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

// Catches CleanupSignals: on one, every registered temporary file is removed, every registered
// process killed and reaped, and the program exits with 128 + the signal's number.
void installCleanupHandlers();

// Holds CleanupSignals back while it lives, so that a step (a fork, the renames) is not cut
// in half; a signal that came meanwhile is acted on when it ends.
class SignalsHeld {
  public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t before_;
};

// In a new process: the signals back to their default actions, nothing held.
void defaultSignals();

// A slot for a temporary file's name (TempNameSize bytes), or -1 when all are taken. The name
// is written into the slot before the file exists, so that a signal at any moment finds it.
constexpr int TempNameSize = 4096 + 32;
int claimTempSlot();
char* tempSlotName(int slot);
void releaseTempSlot(int slot);

// Game processes the parent has started and not yet reaped.
void registerWorker(pid_t pid);
void forgetWorker(pid_t pid);

// What the handler does, also usable directly.
void removeTemporaryFiles();
void killWorkers();

} // namespace sim
