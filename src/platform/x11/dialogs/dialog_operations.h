// The port's dialogs as X windows, on an X11 session or through XWayland.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_DIALOG_OPERATIONS_H
#define TARVELIN_PLATFORM_X11_DIALOGS_DIALOG_OPERATIONS_H

#include "platform/port.h"
#include "platform/x11/dialogs/connection.h"

// Boxes centred on display's anchor, the output that turns. Through
// XWayland the menu is a window the compositor manages, so that its own
// keyboard reaches it, and with no X display a box's text goes to standard
// error. connection and display must outlive the run.
DialogOperations XDialogOperations(X11Connection* connection, const DisplayOperations* display,
                                   bool xwayland);

#endif
