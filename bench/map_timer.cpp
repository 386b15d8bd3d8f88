// Start-up timer: runs a program, prints the milliseconds until it maps a top-level window of the
// given size on the X display and until it first draws into it, then ends it. For startup.sh.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

// Longest wait; a program that has not mapped and drawn its window by then counts as failed.
constexpr auto Patience = std::chrono::seconds(20);

struct Run {
    Display* display;
    pid_t child;
    int width, height;
    int damageEvent; // event number of DamageNotify on this display
    Clock::time_point start;
    double mappedMs = -1;
    int damageReports = 0;
    double drawnMs = -1;
};

double since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool isWanted(const Run& run, Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(run.display, window, &attributes) == 0) return false;
    return !attributes.override_redirect && attributes.width == run.width &&
           attributes.height == run.height;
}

// The map is seen through the root window, drawing through a damage object on the mapped window.
// Its first report is the server filling the new window with its background, so the program's
// own first frame is the second report.
void handle(Run& run, const XEvent& event) {
    if (event.type == MapNotify && run.mappedMs < 0 && isWanted(run, event.xmap.window)) {
        run.mappedMs = since(run.start);
        XDamageCreate(run.display, event.xmap.window, XDamageReportRawRectangles);
    } else if (event.type == run.damageEvent && run.mappedMs >= 0 && ++run.damageReports == 2) {
        run.drawnMs = since(run.start);
    }
}

// False when the program ends or time runs out before its first frame.
bool waitForFirstFrame(Run& run) {
    const int fd = ConnectionNumber(run.display);
    while (Clock::now() - run.start < Patience) {
        while (XPending(run.display) > 0) {
            XEvent event;
            XNextEvent(run.display, &event);
            handle(run, event);
            if (run.drawnMs >= 0) return true;
        }
        if (waitpid(run.child, nullptr, WNOHANG) == run.child) return false;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval tick{0, 10000};
        select(fd + 1, &readable, nullptr, nullptr, &tick);
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: map_timer WIDTH HEIGHT PROGRAM [ARGUMENTS...]\n"
                             "prints: milliseconds to the map, milliseconds to the first frame\n");
        return 2;
    }
    Run run{};
    run.width = std::atoi(argv[1]);
    run.height = std::atoi(argv[2]);
    run.display = XOpenDisplay(nullptr);
    int damageError = 0;
    if (run.display == nullptr ||
        !XDamageQueryExtension(run.display, &run.damageEvent, &damageError)) {
        std::fprintf(stderr, "map_timer: no X display with the DAMAGE extension\n");
        return 2;
    }
    run.damageEvent += XDamageNotify;
    // Selected before the program starts, so no map can slip past unseen.
    XSelectInput(run.display, DefaultRootWindow(run.display), SubstructureNotifyMask);
    XSync(run.display, False);

    run.start = Clock::now();
    run.child = fork();
    if (run.child == 0) {
        close(ConnectionNumber(run.display));
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    if (run.child < 0) return 2;
    const bool drawn = waitForFirstFrame(run);
    kill(run.child, SIGTERM);
    waitpid(run.child, nullptr, 0);
    XCloseDisplay(run.display);
    if (!drawn) {
        std::fprintf(stderr, "map_timer: %s did not map and draw a %dx%d window\n", argv[3],
                     run.width, run.height);
        return 1;
    }
    std::printf("%.1f %.1f\n", run.mappedMs, run.drawnMs);
    return 0;
}
