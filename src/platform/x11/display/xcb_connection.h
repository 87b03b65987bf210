// The turn's own connection to the X server, through the XCB linked in: the
// dialogs keep theirs, so a run that only turns loads no library.
#ifndef TARVELIN_PLATFORM_X11_DISPLAY_XCB_CONNECTION_H
#define TARVELIN_PLATFORM_X11_DISPLAY_XCB_CONNECTION_H

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

struct XcbConnection {
    bool tried = false;
    xcb_connection_t* connection = nullptr;
    const xcb_screen_t* screen = nullptr;
    bool lossReported = false;
    // XCB numbers an extension in its record on first use.
    xcb_extension_t xinput = {"XInputExtension", 0};
};

// Opened from $DISPLAY on first call and kept until closed; null
// when it cannot be opened within a second (tried once only). From then on
// SIGPIPE is ignored: a server gone shows as an error of the connection.
xcb_connection_t* OpenTurnConnection(XcbConnection* xcb);

void CloseTurnConnection(XcbConnection* xcb);

// True when the connection has broken; says so on standard error, once.
bool ConnectionLost(XcbConnection* xcb);

#endif
