// The port on desktop Windows' calls, for the primary display. Every
// operation asks Windows afresh, so the parts keep no state.
#ifndef TARVELIN_PLATFORM_WIN32_DESKTOP_DESKTOP_PORT_H
#define TARVELIN_PLATFORM_WIN32_DESKTOP_DESKTOP_PORT_H

#include "platform/port.h"

Port DesktopPort();

// The port's parts, one source file each.
DisplayOperations DesktopDisplay();
DialogOperations DesktopDialogs();

#endif
