// The Linux program's port: its process services, and the display backend
// chosen once, at start, for the session the program runs in.
#ifndef TARVELIN_PLATFORM_LINUX_LINUX_PORT_H
#define TARVELIN_PLATFORM_LINUX_LINUX_PORT_H

#include "platform/port.h"

// X11 is the only backend yet. It serves even when no display can be
// opened: its operations then fail and say so.
Port ChooseLinuxPort();

#endif
