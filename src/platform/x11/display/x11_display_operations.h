// The port's display operations on X11: the turn on XCB (RandR, XInput 2),
// one server grab from the first question to the end of the turn.
#ifndef TARVELIN_PLATFORM_X11_DISPLAY_X11_DISPLAY_OPERATIONS_H
#define TARVELIN_PLATFORM_X11_DISPLAY_X11_DISPLAY_OPERATIONS_H

#include "platform/port.h"
#include "platform/x11/display/randr_display.h"
#include "platform/x11/display/xcb_connection.h"

#include <signal.h>

struct X11Display {
    XcbConnection xcb;
    bool grabbed = false;
    sigset_t unblocked{};
    bool read = false; // under the grab held now
    // Kept once the grab is released: the dialogs are centred on it.
    ReadOutcome outcome = ReadOutcome::kUnreadable;
    RandrScreen screen;
    // Said on standard error already: no box is to follow.
    bool reported = false;
};

// Operations on display, which must outlive the run; its connection is
// opened on first use.
DisplayOperations X11DisplayOperations(X11Display* display);

// Lets the server go, so that another client (the dialogs' own connection)
// is served again.
void ReleaseServer(X11Display* display);

#endif
