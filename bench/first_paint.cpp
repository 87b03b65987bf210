// Times one run of a program from its start until its first window is on
// the screen and fully drawn, as another client sees it, and reports the
// run's peak memory.
//
// Usage: first_paint PROGRAM [ARGS...]   (on $DISPLAY)
// Prints: map_ms paint_ms max_rss_kib
//
// The window's pixels are read back until they stop changing: "drawn" is
// the first read that already matches what the window finally shows.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

std::uint64_t HashWindow(Display* display, Window window, int width, int height) {
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return 0;
    }
    std::uint64_t hash = 1469598103934665603ull;
    const size_t bytes = static_cast<size_t>(image->bytes_per_line) * image->height;
    for (size_t i = 0; i < bytes; ++i) {
        hash = (hash ^ static_cast<unsigned char>(image->data[i])) * 1099511628211ull;
    }
    XDestroyImage(image);
    return hash;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_paint PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_paint: cannot open display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "first_paint: cannot start %s\n", argv[1]);
        return 1;
    }

    XEvent event;
    do {
        XNextEvent(display, &event);
    } while (event.type != MapNotify);
    const Clock::time_point mapped = Clock::now();
    const Window window = event.xmap.window;
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);

    // Read until the picture has held still for a good while.
    std::vector<std::pair<Clock::time_point, std::uint64_t>> samples;
    while (Milliseconds(mapped, Clock::now()) < 300) {
        samples.emplace_back(Clock::now(),
                             HashWindow(display, window, attributes.width, attributes.height));
    }
    size_t first = samples.size() - 1;
    while (first > 0 && samples[first - 1].second == samples.back().second) {
        --first;
    }

    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::printf("%.3f %.3f %ld\n", Milliseconds(start, mapped),
                Milliseconds(start, samples[first].first), usage.ru_maxrss);
    XCloseDisplay(display);
    return 0;
}
