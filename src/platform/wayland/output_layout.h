// What every Wayland backend decides alike about the outputs it reads from
// its compositor: which one turns, and where its neighbours go.
#ifndef TARVELIN_PLATFORM_WAYLAND_OUTPUT_LAYOUT_H
#define TARVELIN_PLATFORM_WAYLAND_OUTPUT_LAYOUT_H

// The most outputs a backend keeps, and so lays out.
const int kMaxOutputs = 16;

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

// Why an output turns, or why none does.
enum OutputReason {
    kOutputNamed,       // by TARVELIN_OUTPUT
    kOutputPreferred,   // the compositor's own choice
    kOutputAtOrigin,    // the enabled one at (0,0)
    kOutputFirstByName, // of the enabled ones
    kOutputNoneEnabled, // none named, and none enabled
    kOutputNoneNamed    // none enabled has the name asked for
};

struct OutputChoice {
    int index; // -1: none
    OutputReason reason;
};

// The output that turns: the one named wanted (null: none named), else the
// compositor's own choice (preferred, -1: none) when enabled, else the
// enabled one at (0,0), else the first enabled one by name.
OutputChoice ChooseOutput(const WaylandOutput* outputs, int count, const char* wanted,
                          int preferred);

// Turns outputs[turned] to transform, keeping its flip, and moves its
// neighbours as TurnedLayout does, so that every output that shared an edge
// with it still does. At most kMaxOutputs outputs.
void TurnInLayout(WaylandOutput* outputs, int count, int turned, int transform);

#endif
