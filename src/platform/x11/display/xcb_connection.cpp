#include "platform/x11/display/xcb_connection.h"

#include "platform/linux/standard_error.h"

#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <time.h>

namespace {

// Written by an opener that may outlive its wait.
xcb_connection_t* gOpened = nullptr;
int gScreenNumber = 0;

void* Open(void*) {
    gOpened = xcb_connect(nullptr, &gScreenNumber);
    return nullptr;
}

// A server that takes the connection and never answers would hold the run
// for good: after a second it counts as no display. The opener is then left
// blocked; the run ends without it.
xcb_connection_t* OpenWithin(time_t seconds) {
    timespec deadline{};
    pthread_t opener;
    if (clock_gettime(CLOCK_REALTIME, &deadline) != 0 ||
        pthread_create(&opener, nullptr, Open, nullptr) != 0) {
        Open(nullptr);
        return gOpened;
    }
    deadline.tv_sec += seconds;
    return pthread_timedjoin_np(opener, nullptr, &deadline) == 0 ? gOpened : nullptr;
}

const xcb_screen_t* ScreenOf(xcb_connection_t* connection, int number) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < number && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    return screens.rem > 0 ? screens.data : nullptr;
}

bool gTried = false;
xcb_connection_t* gConnection = nullptr;
const xcb_screen_t* gScreen = nullptr;

} // namespace

xcb_connection_t* TurnConnection(const xcb_screen_t** screen) {
    if (!gTried) {
        gTried = true;
        xcb_connection_t* opened = OpenWithin(1);
        if (opened != nullptr && !xcb_connection_has_error(opened)) {
            signal(SIGPIPE, SIG_IGN);
            gConnection = opened;
            gScreen = ScreenOf(opened, gScreenNumber);
        }
    }
    *screen = gScreen;
    return gScreen != nullptr ? gConnection : nullptr;
}

bool ConnectionLost(xcb_connection_t* connection) {
    static bool reported = false;
    if (!xcb_connection_has_error(connection)) {
        return false;
    }
    if (!reported) {
        reported = true;
        const char* name = getenv("DISPLAY");
        ReportError("lost the connection to display \"%s\"", name != nullptr ? name : "");
    }
    return true;
}
