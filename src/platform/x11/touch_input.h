// Touchscreens and tablets follow the picture when the display turns.
#ifndef TARVELIN_PLATFORM_X11_TOUCH_INPUT_H
#define TARVELIN_PLATFORM_X11_TOUCH_INPUT_H

#include "platform/orientation_table.h"

#include <X11/Xlib.h>

// Sets the transformation matrix of every absolute pointer for the
// orientation; nothing to do without XInput 2. Relative pointers keep
// theirs: they move from where the cursor is, whichever way it shows.
void TurnTouchInput(Display* display, const OrientationEntry& orientation);

#endif
