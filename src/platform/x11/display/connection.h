// The program's one connection to the X server.
#ifndef TARVELIN_PLATFORM_X11_DISPLAY_CONNECTION_H
#define TARVELIN_PLATFORM_X11_DISPLAY_CONNECTION_H

#include <X11/Xlib.h>

struct X11Connection {
    bool tried = false;
    Display* display = nullptr;
};

// Opened from $DISPLAY on first use and kept until the process ends; null
// when it cannot be opened (tried once only).
Display* ConnectedDisplay(X11Connection* connection);

// Says on standard error that the display cannot be opened, naming it.
void ReportNoDisplay();

// Between these two, an X error is noted instead of ending the process.
void BeginXErrorTrap();
void EndXErrorTrap();

// The first error code noted since BeginXErrorTrap, or 0. An error reaches
// the program with the next reply it waits for: ask after a request that
// has one, or after XSync.
int TrappedXError();

#endif
