// The display the program turns, through RandR on XCB: the CRTC of the
// output named by TARVELIN_OUTPUT, else the primary output's, else the first
// active one; the whole screen where RandR is older than 1.2.
#ifndef TARVELIN_PLATFORM_X11_DISPLAY_RANDR_DISPLAY_H
#define TARVELIN_PLATFORM_X11_DISPLAY_RANDR_DISPLAY_H

#include "platform/x11/display/turn_plan.h"
#include "platform/x11/input/touch_input.h"

#include <xcb/randr.h>

// Enough for the clones one CRTC shows.
const int kMaxCrtcOutputs = 8;

struct Crtc {
    xcb_randr_crtc_t id;
    CrtcArea area;
    xcb_randr_mode_t mode;
    Uint16 rotation, rotations;
    xcb_randr_output_t outputs[kMaxCrtcOutputs];
    int outputCount;
};

// The screen as read at the start of a turn, with the touch devices.
struct RandrScreen {
    xcb_window_t root = XCB_NONE;
    uint8_t firstEvent = 0;   // RandR's
    bool wholeScreen = false; // RandR 1.0: the screen turns, no CRTC
    Uint16 rotation = 0;      // of the CRTC that turns, or of the screen
    Uint16 rotations = 0;     // the rotations it offers
    ScreenSize size{};
    SizeRange range{};
    xcb_timestamp_t configTime = 0;
    Crtc crtcs[kMaxCrtcs]{};
    int count = 0;
    int turned = 0;
    TouchDevices touch;
};

enum class ReadOutcome {
    kRead,
    kUnreadable, // no RandR, no active CRTC, or the connection broke
    kNoOutput,   // TARVELIN_OUTPUT names no active output: said on stderr
};

// Sends the questions in as few flights as the answers allow: the
// extensions, then the screen with the device list, then each CRTC with
// each device's properties. xinput: as for the touch search.
ReadOutcome ReadScreen(xcb_connection_t* connection, const xcb_screen_t& setup,
                       xcb_extension_t* xinput, RandrScreen* screen);

// Where the outputs showed before a turn and show after it: what touch
// input follows. A RandR 1.0 turn shows as one output over the root.
struct TurnLayouts {
    RootLayout before, after;
};

// Turns the display to target, keeping its reflections. On failure the
// previous configuration is put back; true once the server shows the turn,
// with layouts filled.
bool TurnDisplay(xcb_connection_t* connection, const RandrScreen& screen,
                 const OrientationEntry& target, TurnLayouts* layouts);

#endif
