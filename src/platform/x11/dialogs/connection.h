// The dialogs' connection to the X server, through Xlib: the turn has one
// of its own on XCB.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_CONNECTION_H
#define TARVELIN_PLATFORM_X11_DIALOGS_CONNECTION_H

#include "platform/x11/dialogs/xlib_library.h"

struct X11Connection {
    bool tried = false;
    XlibLibrary loaded{};
    // &loaded once libX11 is loaded; null when it cannot be.
    const XlibLibrary* xlib = nullptr;
    Display* display = nullptr;
};

// Opened from $DISPLAY on first use and kept until the process ends; null
// when Xlib cannot be loaded or the display opened (tried once only).
Display* ConnectedDisplay(X11Connection* connection);

// Says on standard error that the display cannot be opened, naming it.
void ReportNoDisplay();

#endif
