// Every wl_output the compositor offers, bound with what it says of itself
// and, where xdg-output is offered, its place in the layout: wl_output's
// name (version 4) or xdg-output's is the one the output protocols give.
#ifndef TARVELIN_PLATFORM_WAYLAND_BOUND_OUTPUTS_H
#define TARVELIN_PLATFORM_WAYLAND_BOUND_OUTPUTS_H

#include "platform/wayland/output_layout.h"
#include "platform/wayland/session.h"

struct BoundOutput {
    wl_proxy* proxy;
    wl_proxy* xdg; // null without xdg-output
    char name[64];
    int transform;
    int width, height; // the current mode
    int scale;         // 0 until the output says
    bool placed;       // xdg-output's logical position and size came
    int x, y, logicalWidth, logicalHeight;
};

struct BoundOutputs {
    wl_proxy* xdgManager;
    BoundOutput list[kMaxOutputs];
    int count;
};

// Binds them all; what they say comes by the next roundtrip.
void BindOutputs(WaylandSession* session, BoundOutputs* outputs);

// The output of that name; null when there is none.
const BoundOutput* FindBoundOutput(const BoundOutputs* outputs, const char* name);

// Releases every proxy BindOutputs made.
void ReleaseOutputs(WaylandSession* session, BoundOutputs* outputs);

#endif
