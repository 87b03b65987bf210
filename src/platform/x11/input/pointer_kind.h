// Which pointers follow the picture when the display turns. Alone in its
// file, so that a program can link its own instead (tests/e2e/linux).
#ifndef TARVELIN_PLATFORM_X11_INPUT_POINTER_KIND_H
#define TARVELIN_PLATFORM_X11_INPUT_POINTER_KIND_H

#include <X11/extensions/XInput2.h>

// Touchscreens and tablets: the pointers whose position is the place
// touched. Touchpads and mice move relative to where they were.
bool IsAbsolutePointer(const XIDeviceInfo& device);

#endif
