#include "entry/linux_port.h"

#include "platform/linux/process_services.h"
#include "platform/linux/standard_error.h"

#include <stdlib.h>

namespace {

void CloseWlrootsOf(LinuxBackends* backends) {
    CloseWlroots(&backends->wlroots);
}

void CloseKdeOf(LinuxBackends* backends) {
    CloseKde(&backends->kde);
}

void CloseGnomeOf(LinuxBackends* backends) {
    CloseGnome(&backends->gnome);
}

bool CannotAsk(void*, Uint32*) {
    return false;
}

bool CannotTurn(void*, Uint32) {
    return false;
}

Point NoAnchor(void*) {
    return Point{-1, -1};
}

DisplayShape NoShape(void*) {
    return kShapeUnknown;
}

bool NothingReported(void*) {
    return false;
}

// Probed in order, once; the first the compositor offers turns. GNOME's
// probe asks the session bus, so it comes after those that only read the
// globals.
DisplayOperations WaylandDisplayOperations(LinuxBackends* backends) {
    WaylandSession* session = &backends->wayland;
    if (WlrootsOffered(session)) {
        ReportDebug("backend: wlroots (zwlr_output_manager_v1)");
        backends->close = CloseWlrootsOf;
        backends->turning = &backends->wlroots.output;
        return WlrootsDisplayOperations(&backends->wlroots, session);
    }
    ReportDebug("not wlroots: no zwlr_output_manager_v1");
    if (KdeOffered(session)) {
        ReportDebug("backend: kde (kde_output_management_v2)");
        backends->close = CloseKdeOf;
        backends->turning = &backends->kde.output;
        return KdeDisplayOperations(&backends->kde, session);
    }
    ReportDebug("not kde: no kde_output_management_v2 and kde_output_device_v2");
    if (GnomeOffered(&backends->gnome, session)) {
        ReportDebug("backend: gnome (org.gnome.Mutter.DisplayConfig)");
        backends->close = CloseGnomeOf;
        backends->turning = &backends->gnome.output;
        return GnomeDisplayOperations(&backends->gnome, session);
    }
    ReportDebug("not gnome: no org.gnome.Mutter.DisplayConfig on the session bus");
    return DisplayOperations{nullptr,  CannotAsk, CannotAsk,      CannotTurn,
                             NoAnchor, NoShape,   NothingReported};
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
    const DisplayOperations display = WaylandDisplayOperations(backends);
    WaylandSession* session = &backends->wayland;
    if (LayerShellOffered(session)) {
        ReportDebug("dialogs: layer surfaces (zwlr_layer_shell_v1)");
        return Port{display,
                    WaylandDialogOperations(&backends->dialogs, session, backends->turning),
                    process};
    }
    ReportDebug("dialogs: X windows through XWayland (no zwlr_layer_shell_v1)");
    backends->x11.dialogs.xwayland = true;
    return Port{display, X11DialogOperations(&backends->x11.dialogs), process};
}

void CloseLinuxPort(LinuxBackends* backends) {
    if (backends->close != nullptr) {
        backends->close(backends);
    }
    CloseWaylandSession(&backends->wayland);
    CloseX11Backend(&backends->x11);
}
