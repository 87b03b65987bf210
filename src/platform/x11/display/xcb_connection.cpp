#include "platform/x11/display/xcb_connection.h"

#include "platform/linux/call_within.h"
#include "platform/linux/standard_error.h"

#include <signal.h>
#include <stdlib.h>

namespace {

// Written by an opener that may outlive its wait.
int gScreenNumber = 0;

void* Connect(void* screenNumber) {
    return xcb_connect(nullptr, static_cast<int*>(screenNumber));
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
        // After a second a server that has not answered counts as none.
        auto* opened = static_cast<xcb_connection_t*>(CallWithin(Connect, &gScreenNumber, 1));
        if (opened != nullptr && xcb_connection_has_error(opened)) {
            xcb_disconnect(opened);
        } else if (opened != nullptr) {
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
