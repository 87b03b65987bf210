#include "platform/linux/linux_port.h"

#include "platform/linux/process_services.h"
#include "platform/wayland/gnome/gnome_display_operations.h"
#include "platform/wayland/kde/kde_display_operations.h"
#include "platform/wayland/wlroots/wlroots_display_operations.h"
#include "platform/x11/dialogs/dialog_operations.h"
#include "platform/x11/x11_port.h"

#include <stdlib.h>

namespace {

bool CannotAsk(void*, Uint32*) {
    return false;
}

bool CannotTurn(void*, Uint32) {
    return false;
}

Point NoAnchor(void*) {
    return Point{-1, -1};
}

bool NothingReported(void*) {
    return false;
}

X11Connection gX11Connection;
WaylandSession gWaylandSession;
WlrootsBackend gWlroots;
KdeBackend gKde;
GnomeBackend gGnome;
DisplayOperations gDisplay;

// Probed in order, once; the first the compositor offers turns. GNOME's
// probe asks the session bus, so it comes after those that only read the
// globals.
DisplayOperations WaylandDisplayOperations() {
    if (WlrootsOffered(&gWaylandSession)) {
        return WlrootsDisplayOperations(&gWlroots, &gWaylandSession);
    }
    if (KdeOffered(&gWaylandSession)) {
        return KdeDisplayOperations(&gKde, &gWaylandSession);
    }
    if (GnomeOffered(&gGnome, &gWaylandSession)) {
        return GnomeDisplayOperations(&gGnome, &gWaylandSession);
    }
    return DisplayOperations{nullptr, CannotAsk, CannotAsk, CannotTurn, NoAnchor, NothingReported};
}

bool InWaylandSession() {
    const char* name = getenv("WAYLAND_DISPLAY");
    return name != nullptr && *name != 0 && OpenWaylandSession(&gWaylandSession);
}

} // namespace

Port ChooseLinuxPort(const char* startedAs) {
    const bool wayland = InWaylandSession();
    gDisplay = wayland ? WaylandDisplayOperations() : X11DisplayOperations();
    const DialogOperations dialogs = XDialogOperations(&gX11Connection, &gDisplay, wayland);
    return Port{gDisplay, wayland ? dialogs : X11DialogsBesideTheTurn(dialogs),
                LinuxProcessServices(startedAs)};
}
