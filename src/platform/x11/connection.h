// The program's one connection to the X server.
#ifndef TARVELIN_PLATFORM_X11_CONNECTION_H
#define TARVELIN_PLATFORM_X11_CONNECTION_H

#include <X11/Xlib.h>

// Opened on first use from $DISPLAY and kept until the process ends; null
// when no display can be opened (asked once only).
Display* X11Connection();

// Between these two, an X error is noted instead of ending the process.
// EndXErrorTrap waits for the server to answer everything sent so far and
// returns the first error code seen, or 0.
void BeginXErrorTrap();
int EndXErrorTrap(Display* display);

#endif
