#include "platform/x11/display/connection.h"

#include "platform/linux/standard_error.h"

#include <X11/XKBlib.h>

#include <pthread.h>
#include <stdlib.h>
#include <time.h>

namespace {

int gFirstError = 0;
XErrorHandler gPreviousHandler = nullptr;
// Written by an opener that may outlive its wait.
Display* gOpened = nullptr;

int NoteError(Display*, XErrorEvent* error) {
    if (gFirstError == 0) {
        gFirstError = error->error_code;
    }
    return 0;
}

void* OpenDisplay(void*) {
    gOpened = XOpenDisplay(nullptr);
    return nullptr;
}

// A server that takes the connection and never answers would hold the run
// for good: after a second it counts as no display. The opener is then left
// blocked; the run ends without it.
Display* OpenDisplayWithin(time_t seconds) {
    timespec deadline{};
    pthread_t opener;
    if (clock_gettime(CLOCK_REALTIME, &deadline) != 0 ||
        pthread_create(&opener, nullptr, OpenDisplay, nullptr) != 0) {
        return XOpenDisplay(nullptr);
    }
    deadline.tv_sec += seconds;
    return pthread_timedjoin_np(opener, nullptr, &deadline) == 0 ? gOpened : nullptr;
}

} // namespace

Display* ConnectedDisplay(X11Connection* connection) {
    if (!connection->tried) {
        connection->tried = true;
        // The keyboard extension would serve only the boxes' key lookups,
        // which the core keyboard mapping answers alike: without it every
        // run makes two round trips fewer.
        XkbIgnoreExtension(True);
        connection->display = OpenDisplayWithin(1);
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

void BeginXErrorTrap() {
    gFirstError = 0;
    gPreviousHandler = XSetErrorHandler(NoteError);
}

void EndXErrorTrap() {
    XSetErrorHandler(gPreviousHandler);
}

int TrappedXError() {
    return gFirstError;
}
