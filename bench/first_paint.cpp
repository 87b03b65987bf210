// Times one run of a program from its start until its first window is on
// the screen and fully drawn, as another client sees it, and reports the
// run's peak memory.
//
// Usage: first_paint PROGRAM [ARGS...]   (on $DISPLAY)
// Prints: map_ms paint_ms max_rss_kib
//
// The window's pixels are read back until they stop changing: "drawn" is
// the first read that already matches what the window finally shows.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

std::uint64_t HashWindow(xcb_connection_t* connection, xcb_window_t window, int width, int height) {
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), ~0u),
        nullptr);
    if (image == nullptr) {
        return 0;
    }
    std::uint64_t hash = 1469598103934665603ull;
    const uint8_t* data = xcb_get_image_data(image);
    for (int i = 0; i < xcb_get_image_data_length(image); ++i) {
        hash = (hash ^ data[i]) * 1099511628211ull;
    }
    std::free(image);
    return hash;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_paint PROGRAM [ARGS...]\n");
        return 2;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "first_paint: cannot open display\n");
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&screens);
    }
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screens.data->root, XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "first_paint: cannot start %s\n", argv[1]);
        return 1;
    }

    xcb_window_t window = XCB_WINDOW_NONE;
    while (window == XCB_WINDOW_NONE) {
        xcb_generic_event_t* event = xcb_wait_for_event(connection);
        if (event == nullptr) {
            std::fprintf(stderr, "first_paint: lost the display\n");
            return 1;
        }
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
        }
        std::free(event);
    }
    const Clock::time_point mapped = Clock::now();
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    const int width = geometry != nullptr ? geometry->width : 1;
    const int height = geometry != nullptr ? geometry->height : 1;
    std::free(geometry);

    // Read until the picture has held still for a good while.
    std::vector<std::pair<Clock::time_point, std::uint64_t>> samples;
    while (Milliseconds(mapped, Clock::now()) < 300) {
        samples.emplace_back(Clock::now(), HashWindow(connection, window, width, height));
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
    xcb_disconnect(connection);
    return 0;
}
