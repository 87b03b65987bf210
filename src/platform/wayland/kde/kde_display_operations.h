// The display on KDE Plasma: KWin's outputs read through
// kde_output_device_v2 and turned through kde_output_management_v2. Touch
// input is KWin's to map.
#ifndef TARVELIN_PLATFORM_WAYLAND_KDE_KDE_DISPLAY_OPERATIONS_H
#define TARVELIN_PLATFORM_WAYLAND_KDE_KDE_DISPLAY_OPERATIONS_H

#include "platform/port.h"
#include "platform/wayland/session.h"
#include "platform/wayland/turning_output.h"

struct kde_output_device_mode_v2;
struct kde_output_device_v2;
struct KdeBackend;

struct KdeDevice {
    KdeBackend* backend; // whose layout its events fill
    kde_output_device_v2* proxy;
    kde_output_device_mode_v2* mode;
    double scale;
};

struct KdeBackend {
    WaylandSession* session;
    KdeDevice devices[kMaxOutputs];
    WaylandOutput layout[kMaxOutputs]; // one for each device
    int count;
    WaylandModes modes;
    char first[64];       // the first output in KWin's order
    wl_proxy* order;      // null when KWin keeps no order
    wl_proxy* management; // bound once, with the devices
    TurningOutput output;
    LayoutAnswer answer;
    bool answered;
};

// True when session's compositor offers KDE's output management.
bool KdeOffered(const WaylandSession* session);

// Operations on backend and session, which must outlive the run.
DisplayOperations KdeDisplayOperations(KdeBackend* backend, WaylandSession* session);

// Releases what backend bound; its operations must not be called after.
void CloseKde(KdeBackend* backend);

#endif
