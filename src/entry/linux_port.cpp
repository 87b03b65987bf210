#include "entry/linux_port.h"

#include "platform/linux/process_services.h"
#include "platform/linux/standard_error.h"
#include "platform/wayland/gnome/gnome_port.h"
#include "platform/wayland/kde/kde_port.h"
#include "platform/wayland/wlroots/wlroots_port.h"

#include <stdlib.h>

namespace {

struct WaylandBackend {
    const char* name;
    bool (*offered)(const WaylandSession* session);
    DisplayOperations (*operations)(WaylandSession* session);
};

// Probed in order, once; the first the compositor offers turns. GNOME's
// probe asks the session bus, so it comes after those that only read the
// globals.
const WaylandBackend kWaylandBackends[] = {{"wlroots", WlrootsOffered, WlrootsDisplayOperations},
                                           {"kde", KdeOffered, KdeDisplayOperations},
                                           {"gnome", GnomeOffered, GnomeDisplayOperations}};

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

DisplayOperations WaylandDisplayOperations(WaylandSession* session) {
    for (const WaylandBackend& backend : kWaylandBackends) {
        if (backend.offered(session)) {
            ReportDebug("backend: %s", backend.name);
            return backend.operations(session);
        }
        ReportDebug("not %s: the compositor does not offer its output management", backend.name);
    }
    return DisplayOperations{nullptr, CannotAsk, CannotAsk, CannotTurn, NoAnchor, NothingReported};
}

bool InWaylandSession(WaylandSession* session) {
    const char* name = getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == 0) {
        ReportDebug("not wayland: WAYLAND_DISPLAY is not set");
        return false;
    }
    if (!OpenWaylandSession(session)) {
        ReportDebug("not wayland: no compositor answers on \"%s\"", name);
        return false;
    }
    return true;
}

} // namespace

Port LinuxPort(LinuxBackends* backends, const char* startedAs) {
    const ProcessServices process = LinuxProcessServices(startedAs);
    if (!InWaylandSession(&backends->wayland)) {
        ReportDebug("backend: x11");
        return X11Port(&backends->x11, process);
    }
    backends->x11.dialogs.xwayland = true;
    return Port{WaylandDisplayOperations(&backends->wayland),
                X11DialogOperations(&backends->x11.dialogs), process};
}
