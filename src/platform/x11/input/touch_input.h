// Touchscreens and tablets follow the picture when the display turns.
#ifndef TARVELIN_PLATFORM_X11_INPUT_TOUCH_INPUT_H
#define TARVELIN_PLATFORM_X11_INPUT_TOUCH_INPUT_H

#include "orientation/orientation_table.h"

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

// Queues the question whether the server has XInput, so that its answer
// comes with the next reply the program waits for, not on a round trip of
// its own.
void AskForXInput(Display* display);

// Asked before the turn, while the server is idle; none without XInput 2.
TouchDevices FindTouchDevices(Display* display);

// Sets each device's matrix to the orientation's, and waits until the
// server has taken them.
void TurnTouchDevices(Display* display, const TouchDevices& devices,
                      const OrientationEntry& orientation);

#endif
