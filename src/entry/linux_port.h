// The Linux program's port: its process services, and the display backend
// chosen once, at start, for the session the program runs in.
#ifndef TARVELIN_ENTRY_LINUX_PORT_H
#define TARVELIN_ENTRY_LINUX_PORT_H

#include "platform/port.h"
#include "platform/wayland/dialogs/wayland_dialog_operations.h"
#include "platform/wayland/gnome/gnome_display_operations.h"
#include "platform/wayland/kde/kde_display_operations.h"
#include "platform/wayland/session.h"
#include "platform/wayland/wlroots/wlroots_display_operations.h"
#include "platform/x11/x11_port.h"

// Every backend's state: only the chosen ones' are used.
struct LinuxBackends {
    X11Backend x11;
    WaylandSession wayland;
    WlrootsBackend wlroots;
    KdeBackend kde;
    GnomeBackend gnome;
    void (*close)(LinuxBackends* backends); // the chosen Wayland backend's, or null
    const TurningOutput* turning;           // its output, or null
    WaylandDialogs dialogs;                 // where the layer shell is offered
};

// Under Wayland ($WAYLAND_DISPLAY answers) the compositor's own output
// protocol turns, never XWayland's RandR; one it does not know cannot
// turn. Otherwise X11, which serves even when no display can be opened: its
// operations then fail and say so. Under Wayland the boxes are layer
// surfaces where the compositor offers the layer shell, else X windows
// through XWayland.
// backends must outlive the run; startedAs: argument 0.
Port LinuxPort(LinuxBackends* backends, const char* startedAs);

// Releases what the chosen backends bound and opened, once the run is over.
void CloseLinuxPort(LinuxBackends* backends);

#endif
