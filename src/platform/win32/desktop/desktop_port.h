// The port on desktop Windows' calls, for the primary display.
#ifndef TARVELIN_PLATFORM_WIN32_DESKTOP_DESKTOP_PORT_H
#define TARVELIN_PLATFORM_WIN32_DESKTOP_DESKTOP_PORT_H

#include "platform/port.h"

Port DesktopPort();

#endif
