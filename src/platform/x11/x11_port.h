// The port on an X11 session: the turn and the dialogs each on a connection
// of its own.
#ifndef TARVELIN_PLATFORM_X11_X11_PORT_H
#define TARVELIN_PLATFORM_X11_X11_PORT_H

#include "platform/port.h"
#include "platform/x11/dialogs/x11_dialog_operations.h"
#include "platform/x11/display/x11_display_operations.h"

struct X11Backend {
    X11Display display;
    X11Dialogs dialogs;
};

// The port on backend, which must outlive the run, with the process's own
// services.
Port X11Port(X11Backend* backend, ProcessServices process);

// Closes both connections once the run is over.
void CloseX11Backend(X11Backend* backend);

#endif
