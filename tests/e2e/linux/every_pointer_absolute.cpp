// The Linux program taking every pointer attached to the core pointer for a touchscreen,
// so that the tests can watch touch input follow a turn on a server that has none.
#include "platform/x11/input/pointer_kind.h"

bool IsAbsolutePointer(const PointerDevice& device) {
    return device.use == XISlavePointer;
}
