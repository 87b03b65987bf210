// The port's dialogs as X windows, on an X11 session or through XWayland.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_X11_DIALOG_OPERATIONS_H
#define TARVELIN_PLATFORM_X11_DIALOGS_X11_DIALOG_OPERATIONS_H

#include "platform/port.h"
#include "platform/x11/dialogs/connection.h"

struct X11Dialogs {
    X11Connection connection;
    // Through XWayland the menu is a window the compositor manages, so that
    // its own keyboard reaches it, and with no X display a box's text goes
    // to standard error.
    bool xwayland = false;
};

// Operations on dialogs, which must outlive the run.
DialogOperations X11DialogOperations(X11Dialogs* dialogs);

// Closes the dialogs' connection once the run is over.
void CloseX11Dialogs(X11Dialogs* dialogs);

#endif
