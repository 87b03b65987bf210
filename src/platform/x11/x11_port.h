// The port's display and dialog operations on X11: Xlib, RandR, XInput 2
// and windows of the program's own, drawn with Xft.
#ifndef TARVELIN_PLATFORM_X11_X11_PORT_H
#define TARVELIN_PLATFORM_X11_X11_PORT_H

#include "platform/port.h"
#include "platform/x11/display/connection.h"

// Operations on connection, which must outlive the run.
DisplayOperations X11DisplayOperations(X11Connection* connection);
DialogOperations X11DialogOperations(X11Connection* connection);

#endif
