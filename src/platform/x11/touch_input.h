// Touchscreens and tablets follow the picture when the display turns.
#ifndef TARVELIN_PLATFORM_X11_TOUCH_INPUT_H
#define TARVELIN_PLATFORM_X11_TOUCH_INPUT_H

#include "platform/orientation_table.h"

#include <X11/Xlib.h>

// Enough for every touchscreen and tablet one machine has.
const int kMaxTouchDevices = 16;

// The absolute pointers that have a transformation matrix. Relative
// pointers are not among them: they move from where the cursor is,
// whichever way the picture shows.
struct TouchDevices {
    int opcode = 0; // XInput's
    Atom matrix = None;
    Atom floatType = None;
    int ids[kMaxTouchDevices]{};
    int count = 0;
};

// Asked before the turn, while the server is idle; none without XInput 2.
TouchDevices FindTouchDevices(Display* display);

// Sends each device the matrix of the orientation, without waiting: once
// the picture has turned there is nothing to wait for.
void TurnTouchDevices(Display* display, const TouchDevices& devices,
                      const OrientationEntry& orientation);

#endif
