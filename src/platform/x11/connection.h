// The program's one connection to the X server.
#ifndef TARVELIN_PLATFORM_X11_CONNECTION_H
#define TARVELIN_PLATFORM_X11_CONNECTION_H

#include <X11/Xlib.h>

// Opened on first use from $DISPLAY and kept until the process ends; null
// when no display can be opened (asked once only).
Display* X11Connection();

// Between these two, an X error is noted instead of ending the process.
void BeginXErrorTrap();
void EndXErrorTrap();

// The first error code noted since BeginXErrorTrap, or 0. An error reaches
// the program with the next reply it waits for: ask after a request that
// has one, or after XSync.
int TrappedXError();

#endif
