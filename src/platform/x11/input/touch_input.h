// Touchscreens and tablets follow the picture when the display turns.
// XInput 2 is spoken through XCB's raw requests, its questions riding on the
// round trips the turn makes anyway.
#ifndef TARVELIN_PLATFORM_X11_INPUT_TOUCH_INPUT_H
#define TARVELIN_PLATFORM_X11_INPUT_TOUCH_INPUT_H

#include "platform/x11/input/touch_matrix.h"

#include <xcb/xcb.h>

// Enough for every touchscreen and tablet one machine has.
const int kMaxTouchDevices = 16;

// The absolute pointers that have a transformation matrix, and each one's
// matrix. Relative pointers are not among them: they move from where the
// cursor is, whichever way the picture shows.
struct TouchDevices {
    xcb_atom_t matrix = XCB_NONE;
    xcb_atom_t floatType = XCB_NONE;
    int ids[kMaxTouchDevices]{};
    float matrices[kMaxTouchDevices][9]{};
    int count = 0;
};

// The search, in three steps, each sent with other questions of the turn:
// whether the server has XInput (before the extensions are waited for),
// its devices, then the matrix of each.
struct TouchSearch {
    bool present = false;
    unsigned int version = 0, devices = 0;
    xcb_intern_atom_cookie_t matrixName{}, floatName{};
    xcb_atom_t matrix = XCB_NONE, floatType = XCB_NONE;
    unsigned int matrices[kMaxTouchDevices]{};
    int ids[kMaxTouchDevices]{};
    int count = 0;
};
// xinput: the connection's record of the extension, which XCB numbers on
// first use.
void PrefetchXInput(xcb_connection_t* connection, xcb_extension_t* xinput);
void AskForDevices(xcb_connection_t* connection, xcb_extension_t* xinput, TouchSearch* search);
void AskForMatrices(xcb_connection_t* connection, xcb_extension_t* xinput, TouchSearch* search);
TouchDevices TakeTouchDevices(xcb_connection_t* connection, TouchSearch* search);

// Moves each device mapped onto an output with that output, from where the
// outputs showed before to where they show after (FollowOutput); the others
// are not written. Nothing waits: a request whose answer is waited for
// afterwards makes sure the server has them.
void SendTouchMatrices(xcb_connection_t* connection, xcb_extension_t* xinput,
                       const TouchDevices& devices, const RootLayout& before,
                       const RootLayout& after);

#endif
