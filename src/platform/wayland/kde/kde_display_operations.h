// The display on KDE Plasma: KWin's outputs read through
// kde_output_device_v2 and turned through kde_output_management_v2. Touch
// input is KWin's to map.
#ifndef TARVELIN_PLATFORM_WAYLAND_KDE_KDE_DISPLAY_OPERATIONS_H
#define TARVELIN_PLATFORM_WAYLAND_KDE_KDE_DISPLAY_OPERATIONS_H

#include "platform/port.h"
#include "platform/wayland/session.h"

// True when session's compositor offers KDE's output management.
bool KdeOffered(const WaylandSession* session);

// Operations on session, which must outlive the run.
DisplayOperations KdeDisplayOperations(WaylandSession* session);

#endif
