// The display on a wlroots compositor: its outputs read and turned through
// wlr-output-management. Touch input is the compositor's to map.
#ifndef TARVELIN_PLATFORM_WAYLAND_WLROOTS_WLROOTS_DISPLAY_OPERATIONS_H
#define TARVELIN_PLATFORM_WAYLAND_WLROOTS_WLROOTS_DISPLAY_OPERATIONS_H

#include "platform/port.h"
#include "platform/wayland/session.h"

// True when session's compositor offers wlr-output-management.
bool WlrootsOffered(const WaylandSession* session);

// Operations on session, which must outlive the run.
DisplayOperations WlrootsDisplayOperations(WaylandSession* session);

#endif
