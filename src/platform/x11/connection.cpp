#include "platform/x11/connection.h"

#include <X11/XKBlib.h>

#include <pthread.h>
#include <time.h>

namespace {

int firstError = 0;
XErrorHandler previousHandler = nullptr;

int NoteError(Display*, XErrorEvent* error) {
    if (firstError == 0) {
        firstError = error->error_code;
    }
    return 0;
}

void* OpenDisplay(void* opened) {
    *static_cast<Display**>(opened) = XOpenDisplay(nullptr);
    return nullptr;
}

// A server that takes the connection and never answers would hold the run
// for good: after a second it counts as no display. The opener is then left
// blocked; the run ends without it.
Display* OpenDisplayWithin(time_t seconds) {
    static Display* opened = nullptr;
    timespec deadline{};
    pthread_t opener;
    if (clock_gettime(CLOCK_REALTIME, &deadline) != 0 ||
        pthread_create(&opener, nullptr, OpenDisplay, &opened) != 0) {
        return XOpenDisplay(nullptr);
    }
    deadline.tv_sec += seconds;
    return pthread_timedjoin_np(opener, nullptr, &deadline) == 0 ? opened : nullptr;
}

} // namespace

Display* X11Connection() {
    static bool tried = false;
    static Display* display = nullptr;
    if (!tried) {
        tried = true;
        // The keyboard extension would serve only the boxes' key lookups,
        // which the core keyboard mapping answers alike: without it every
        // run makes two round trips fewer.
        XkbIgnoreExtension(True);
        display = OpenDisplayWithin(1);
    }
    return display;
}

void BeginXErrorTrap() {
    firstError = 0;
    previousHandler = XSetErrorHandler(NoteError);
}

void EndXErrorTrap() {
    XSetErrorHandler(previousHandler);
}

int TrappedXError() {
    return firstError;
}
