// The display on a wlroots compositor: its outputs read and turned through
// wlr-output-management. Touch input is the compositor's to map.
#ifndef TARVELIN_PLATFORM_WAYLAND_WLROOTS_WLROOTS_DISPLAY_OPERATIONS_H
#define TARVELIN_PLATFORM_WAYLAND_WLROOTS_WLROOTS_DISPLAY_OPERATIONS_H

#include "platform/port.h"
#include "platform/wayland/bound_outputs.h"
#include "platform/wayland/session.h"
#include "platform/wayland/turning_output.h"

struct zwlr_output_head_v1;
struct zwlr_output_manager_v1;
struct zwlr_output_mode_v1;
struct WlrootsBackend;

struct WlrootsHead {
    WlrootsBackend* backend;    // which keeps the modes the head announces
    zwlr_output_head_v1* proxy; // null once finished
    char name[64];
    bool enabled;
    zwlr_output_mode_v1* mode;
    int x, y, transform;
    double scale;
};

struct WlrootsBackend {
    WaylandSession* session;
    zwlr_output_manager_v1* manager;
    uint32_t serial;
    bool done;
    WlrootsHead heads[kMaxOutputs];
    int headCount;
    WaylandModes modes;
    // What wl_output and xdg-output say of the enabled outputs: some
    // compositors leave the head's own events out.
    BoundOutputs outputs;
    WaylandOutput layout[kMaxOutputs]; // one for each head
    TurningOutput output;
    LayoutAnswer answer;
    bool answered;
};

// True when session's compositor offers wlr-output-management.
bool WlrootsOffered(const WaylandSession* session);

// Operations on backend and session, which must outlive the run. backend is
// value-initialized and used once: clearing it all again would touch pages
// of modes that no head fills.
DisplayOperations WlrootsDisplayOperations(WlrootsBackend* backend, WaylandSession* session);

// Releases what backend bound; neither it nor its operations may be used
// after.
void CloseWlroots(WlrootsBackend* backend);

#endif
