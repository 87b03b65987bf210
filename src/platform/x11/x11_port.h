// The port's display operations on X11: the turn on XCB (RandR, XInput 2).
// The dialogs (dialogs/) keep Xlib and their own connection.
#ifndef TARVELIN_PLATFORM_X11_X11_PORT_H
#define TARVELIN_PLATFORM_X11_X11_PORT_H

#include "platform/port.h"

// The display's operations, on a connection of their own opened on first
// use.
DisplayOperations X11DisplayOperations();

// dialogs, each first releasing the server the turn holds, so that a box or
// the menu can be shown.
DialogOperations X11DialogsBesideTheTurn(DialogOperations dialogs);

#endif
