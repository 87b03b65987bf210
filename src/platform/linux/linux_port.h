// The Linux program's port: its process services, and the display backend
// chosen once, at start, for the session the program runs in.
#ifndef TARVELIN_PLATFORM_LINUX_LINUX_PORT_H
#define TARVELIN_PLATFORM_LINUX_LINUX_PORT_H

#include "platform/port.h"

// Under Wayland ($WAYLAND_DISPLAY answers) the compositor's own output
// protocol turns, never XWayland's RandR; one it does not know cannot
// turn. Otherwise X11, which serves even when no display can be opened: its
// operations then fail and say so. The boxes are X windows either way.
// startedAs: argument 0, for the process services.
Port ChooseLinuxPort(const char* startedAs);

#endif
