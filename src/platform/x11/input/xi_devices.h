// The input devices of an XInput 2 device query, read from the reply as the
// server sent it.
#ifndef TARVELIN_PLATFORM_X11_INPUT_XI_DEVICES_H
#define TARVELIN_PLATFORM_X11_INPUT_XI_DEVICES_H

#include <stddef.h>

// The ids of the reply's absolute pointers (IsAbsolutePointer), at most max
// of them; returns how many. data is what follows the reply's 32 bytes, in
// the client's byte order. A reply that is cut short or whose lengths do
// not add up yields the devices read whole before the fault.
int FindAbsolutePointers(const unsigned char* data, size_t bytes, int devices, int* ids, int max);

#endif
