#include "platform/x11/dialogs/connection.h"

#include "platform/linux/standard_error.h"

#include <pthread.h>
#include <stdlib.h>
#include <time.h>

namespace {

// Written by an opener that may outlive its wait.
Display* gOpened = nullptr;

void* OpenDisplay(void* xlib) {
    gOpened = static_cast<const XlibLibrary*>(xlib)->XOpenDisplay(nullptr);
    return nullptr;
}

// A server that takes the connection and never answers would hold the run
// for good: after a second it counts as no display. The opener is then left
// blocked; the run ends without it.
Display* OpenDisplayWithin(const XlibLibrary* xlib, time_t seconds) {
    timespec deadline{};
    pthread_t opener;
    if (clock_gettime(CLOCK_REALTIME, &deadline) != 0 ||
        pthread_create(&opener, nullptr, OpenDisplay, const_cast<XlibLibrary*>(xlib)) != 0) {
        return xlib->XOpenDisplay(nullptr);
    }
    deadline.tv_sec += seconds;
    return pthread_timedjoin_np(opener, nullptr, &deadline) == 0 ? gOpened : nullptr;
}

} // namespace

Display* ConnectedDisplay(X11Connection* connection) {
    if (!connection->tried) {
        connection->tried = true;
        connection->xlib = LoadXlib();
        if (connection->xlib == nullptr) {
            return nullptr;
        }
        // The keyboard extension would serve only the boxes' key lookups,
        // which the core keyboard mapping answers alike: without it a box
        // makes two round trips fewer.
        connection->xlib->XkbIgnoreExtension(True);
        connection->display = OpenDisplayWithin(connection->xlib, 1);
    }
    return connection->display;
}

void ReportNoDisplay() {
    const char* name = getenv("DISPLAY");
    if (name == nullptr || *name == 0) {
        ReportError("cannot open display: DISPLAY is not set");
    } else {
        ReportError("cannot open display \"%s\"", name);
    }
}
