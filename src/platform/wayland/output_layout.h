// What every Wayland backend decides alike about the outputs it reads from
// its compositor: which one turns, and where its neighbours go.
#ifndef TARVELIN_PLATFORM_WAYLAND_OUTPUT_LAYOUT_H
#define TARVELIN_PLATFORM_WAYLAND_OUTPUT_LAYOUT_H

struct WaylandOutput {
    char name[64]; // the connector: "HDMI-A-1"
    bool enabled;
    int x, y;          // in the layout
    int width, height; // logical: turned and scaled, as laid out
    int transform;     // wl_output's: 0-3 quarter turns counter-clockwise, +4 flipped
};

// Sets output's size from its mode's, width x height: turned as its
// transform is, then divided by scale (1 when not above 0) and rounded: a
// float scale such as 4/3 lands just under the whole size.
void SetLogicalSize(WaylandOutput* output, int width, int height, double scale);

// The output that turns: the one named wanted (null: none named), else the
// compositor's own choice (preferred, -1: none) when enabled, else the
// enabled one at (0,0), else the first enabled one by name. -1 when there is
// none; a name that is not there is said on standard error.
int ChooseOutput(const WaylandOutput* outputs, int count, const char* wanted, int preferred = -1);

// Turns outputs[turned] to transform, keeping its flip, and moves the
// outputs that touched its right or bottom edge so that they still do,
// with those in a row or column beyond them. At most 64 outputs.
void TurnInLayout(WaylandOutput* outputs, int count, int turned, int transform);

#endif
