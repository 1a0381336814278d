// Starts the game and the bare window in turn as processes on an X display and measures, for
// each, the time from launch until its window holds its first drawn frame, and its peak memory.
//
//   startup_bench GAME BARE FOLDER [RUNS]
//
// Both programs start in FOLDER, which must hold the game's word list. The display must have no
// window manager, which would take the windows in before they reach the root window; scripts/bench
// starts an Xvfb of its own.

#include "startupstats.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using startup::Sample;

constexpr auto kTimeout = std::chrono::seconds(20);
// Lets the first frame settle, so the peak memory covers a window that is fully up.
constexpr auto kSettle = std::chrono::milliseconds(100);
constexpr int kWarmUpRuns = 3;

struct Program {
    std::string label;
    std::string path;
    std::vector<startup::Sample> samples;
    int width = 0;
    int height = 0;
};

struct XSession {
    ::Display* x = nullptr;
    int damageEvent = 0;
    Atom pidAtom = None;
};

bool ownedBy(const XSession& display, Window window, pid_t pid) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display.x, window, display.pidAtom, 0, 1, False,
                                          XA_CARDINAL, &type, &format, &count, &after, &data);
    bool owned = false;
    if (status == Success && data != nullptr && format == 32 && count == 1) {
        owned = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
    }
    if (data != nullptr) {
        XFree(data);
    }
    return owned;
}

// Waits for the child's window to be mapped and drawn into; the moment of the first damage.
std::optional<Clock::time_point> awaitFirstFrame(const XSession& display, pid_t pid,
                                                 Clock::time_point deadline, Program& program) {
    Window mapped = None;
    std::vector<Damage> damages;
    std::optional<Clock::time_point> shown;
    pollfd fd{ConnectionNumber(display.x), POLLIN, 0};
    while (!shown && Clock::now() < deadline) {
        if (XPending(display.x) == 0) {
            siginfo_t exited{};
            if (waitid(P_PID, static_cast<id_t>(pid), &exited, WEXITED | WNOHANG | WNOWAIT) != 0 ||
                exited.si_pid != 0) {
                break; // gone before showing anything
            }
            poll(&fd, 1, 10);
            continue;
        }
        XEvent event;
        XNextEvent(display.x, &event);
        const auto now = Clock::now();
        if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
            // Tracked from birth, as the first frame may follow the map within microseconds.
            damages.push_back(
                XDamageCreate(display.x, event.xcreatewindow.window, XDamageReportNonEmpty));
        } else if (event.type == MapNotify && mapped == None &&
                   ownedBy(display, event.xmap.window, pid)) {
            mapped = event.xmap.window;
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display.x, mapped, &attributes) != 0) {
                program.width = attributes.width;
                program.height = attributes.height;
            }
        } else if (event.type == display.damageEvent + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (mapped != None && damage.drawable == mapped) {
                shown = now;
            }
        }
    }
    for (const Damage damage : damages) {
        XDamageDestroy(display.x, damage);
    }
    XSync(display.x, True);
    return shown;
}

std::optional<startup::Sample> launch(const XSession& display, const char* folder,
                                      Program& program) {
    XSync(display.x, True);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return std::nullopt;
    }
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
        }
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        if (chdir(folder) != 0) {
            _exit(126);
        }
        execl(program.path.c_str(), program.path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto shown = awaitFirstFrame(display, pid, start + kTimeout, program);
    if (shown) {
        std::this_thread::sleep_for(kSettle);
    }
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (!shown) {
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) {
            std::fprintf(stderr, "%s: no window within %lld s\n", program.path.c_str(),
                         static_cast<long long>(kTimeout.count()));
        } else {
            std::fprintf(stderr, "%s ended before showing a window (wait status %d)\n",
                         program.path.c_str(), status);
        }
        return std::nullopt;
    }
    const std::chrono::duration<double, std::milli> elapsed = *shown - start;
    const auto ms = [](timeval t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return startup::Sample{elapsed.count(), usage.ru_maxrss / 1024.0,
                           ms(usage.ru_utime) + ms(usage.ru_stime)};
}

void printRow(const Program& program) {
    const startup::Summary s = startup::summarize(program.samples);
    std::printf("%-6s %8.1f %8.1f %8.1f %12.1f %10.1f %8.1f\n", program.label.c_str(), s.medianMs,
                s.minMs, s.p90Ms, s.medianMiB, s.maxMiB, s.medianCpuMs);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: %s GAME BARE FOLDER [RUNS]\n", argv[0]);
        return 2;
    }
    const char* folder = argv[3];
    const int runs = argc == 5 ? std::atoi(argv[4]) : 30;
    if (runs < 1) {
        std::fprintf(stderr, "RUNS must be a positive number\n");
        return 2;
    }
    if (!std::filesystem::is_regular_file(std::filesystem::path(folder) / "worte.txt")) {
        std::fprintf(stderr, "%s holds no worte.txt; the game would only show its error\n", folder);
        return 2;
    }

    XSession display;
    display.x = XOpenDisplay(nullptr);
    if (display.x == nullptr) {
        std::fprintf(stderr, "cannot open the X display (DISPLAY=%s)\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
        return 2;
    }
    int damageError = 0;
    if (!XDamageQueryExtension(display.x, &display.damageEvent, &damageError)) {
        std::fprintf(stderr, "the X server lacks the DAMAGE extension\n");
        return 2;
    }
    display.pidAtom = XInternAtom(display.x, "_NET_WM_PID", False);
    // A window that is gone takes its damage object along, so destroying it later may fail; so
    // may reading a property of a window that closed meanwhile.
    XSetErrorHandler([](::Display*, XErrorEvent*) { return 0; });
    XSelectInput(display.x, DefaultRootWindow(display.x), SubstructureNotifyMask);

    // Each program starts in the word list's folder, so a path given relative to here would miss.
    Program game{"game", std::filesystem::absolute(argv[1]).string(), {}};
    Program bare{"bare", std::filesystem::absolute(argv[2]).string(), {}};
    // Alternating which goes first keeps a drift in the machine's state from favouring one.
    for (int run = -kWarmUpRuns; run < runs; ++run) {
        Program& first = run % 2 == 0 ? game : bare;
        Program& second = run % 2 == 0 ? bare : game;
        for (Program* program : {&first, &second}) {
            const auto sample = launch(display, folder, *program);
            if (!sample) {
                return 1;
            }
            if (run >= 0) {
                program->samples.push_back(*sample);
            }
        }
    }
    XCloseDisplay(display.x);

    if (game.width != bare.width || game.height != bare.height) {
        std::fprintf(stderr, "the windows differ in size: game %dx%d, bare %dx%d\n", game.width,
                     game.height, bare.width, bare.height);
        return 1;
    }
    std::printf("Start-up until the first frame, %dx%d window, %d runs each, interleaved\n",
                game.width, game.height, runs);
    std::printf("%-6s %8s %8s %8s %12s %10s %8s\n", "", "median", "min", "p90", "peak median",
                "peak max", "cpu");
    std::printf("%-6s %8s %8s %8s %12s %10s %8s\n", "", "ms", "ms", "ms", "MiB", "MiB", "ms");
    printRow(game);
    printRow(bare);
    const startup::Summary g = startup::summarize(game.samples);
    const startup::Summary b = startup::summarize(bare.samples);
    std::printf("game - bare: peak memory %+.1f MiB\n", g.medianMiB - b.medianMiB);
    std::printf("game / bare, median of the side-by-side runs [95%% interval]:\n");
    const auto printRatio = [&](const char* what, double Sample::*field) {
        std::vector<double> a;
        std::vector<double> c;
        for (std::size_t i = 0; i < game.samples.size(); ++i) {
            a.push_back(game.samples[i].*field);
            c.push_back(bare.samples[i].*field);
        }
        const startup::Ratio r = startup::pairedRatio(a, c);
        std::printf("  %-12s %.2f [%.2f, %.2f]\n", what, r.median, r.low, r.high);
    };
    printRatio("time", &Sample::ms);
    printRatio("cpu time", &Sample::cpuMs);
    printRatio("peak memory", &Sample::peakMiB);
    return 0;
}
