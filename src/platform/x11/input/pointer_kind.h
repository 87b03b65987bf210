// Which pointers follow the picture when the display turns. Alone in its
// file, so that a program can link its own instead (tests/e2e/linux).
#ifndef TARVELIN_PLATFORM_X11_INPUT_POINTER_KIND_H
#define TARVELIN_PLATFORM_X11_INPUT_POINTER_KIND_H

#include <X11/extensions/XI2.h>

// What an XInput 2 device description tells of a pointer.
struct PointerDevice {
    int use;       // XISlavePointer, XIFloatingSlave, ...
    int touchMode; // XIDirectTouch or XIDependentTouch; 0: no touch class
    bool absoluteX, absoluteY;
};

// Touchscreens and tablets: the pointers whose position is the place
// touched. Touchpads and mice move relative to where they were.
bool IsAbsolutePointer(const PointerDevice& device);

#endif
