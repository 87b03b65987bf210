// The display on GNOME: Mutter's monitors read and turned through its
// DisplayConfig service on the session bus. Touch input is Mutter's to map.
#ifndef TARVELIN_PLATFORM_WAYLAND_GNOME_GNOME_DISPLAY_OPERATIONS_H
#define TARVELIN_PLATFORM_WAYLAND_GNOME_GNOME_DISPLAY_OPERATIONS_H

#include "platform/port.h"
#include "platform/wayland/session.h"

// True when Mutter's DisplayConfig is on the session bus. Loads sd-bus:
// ask only once the compositor's globals have ruled out the others.
bool GnomeOffered(const WaylandSession* session);

DisplayOperations GnomeDisplayOperations(WaylandSession* session);

#endif
