#include "platform/x11/display/xcb_connection.h"

#include "platform/linux/connect_within.h"
#include "platform/linux/standard_error.h"

#include <signal.h>
#include <stdlib.h>

namespace {

void* Connect(void* screenNumber) {
    return xcb_connect(nullptr, static_cast<int*>(screenNumber));
}

void Disconnect(void*, void* connection) {
    xcb_disconnect(static_cast<xcb_connection_t*>(connection));
}

const xcb_screen_t* ScreenOf(xcb_connection_t* connection, int number) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < number && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    return screens.rem > 0 ? screens.data : nullptr;
}

} // namespace

xcb_connection_t* OpenTurnConnection(XcbConnection* xcb) {
    if (!xcb->tried) {
        xcb->tried = true;
        // After a second a server that has not answered counts as none.
        int screenNumber = 0;
        auto* opened =
            static_cast<xcb_connection_t*>(ConnectWithin(Connect, &screenNumber, 1, Disconnect));
        if (opened != nullptr && xcb_connection_has_error(opened)) {
            xcb_disconnect(opened);
        } else if (opened != nullptr) {
            signal(SIGPIPE, SIG_IGN);
            xcb->connection = opened;
            xcb->screen = ScreenOf(opened, screenNumber);
        }
    }
    return xcb->screen != nullptr ? xcb->connection : nullptr;
}

void CloseTurnConnection(XcbConnection* xcb) {
    if (xcb->connection != nullptr) {
        xcb_disconnect(xcb->connection);
        xcb->connection = nullptr;
        xcb->screen = nullptr;
    }
}

bool ConnectionLost(XcbConnection* xcb) {
    if (!xcb_connection_has_error(xcb->connection)) {
        return false;
    }
    if (!xcb->lossReported) {
        xcb->lossReported = true;
        const char* name = getenv("DISPLAY");
        ReportError("lost the connection to display \"%s\"", name != nullptr ? name : "");
    }
    return true;
}
