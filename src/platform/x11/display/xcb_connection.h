// The turn's own connection to the X server, through XCB: the dialogs keep
// theirs (connection.h), so a run that only turns never loads Xlib.
#ifndef TARVELIN_PLATFORM_X11_DISPLAY_XCB_CONNECTION_H
#define TARVELIN_PLATFORM_X11_DISPLAY_XCB_CONNECTION_H

#include <xcb/xcb.h>

// Opened from $DISPLAY on first call and kept until the process ends; null
// when it cannot be opened within a second (tried once only). From then on
// SIGPIPE is ignored: a server gone shows as an error of the connection.
xcb_connection_t* TurnConnection(const xcb_screen_t** screen);

// True when the connection has broken; says so on standard error, once.
bool ConnectionLost(xcb_connection_t* connection);

#endif
