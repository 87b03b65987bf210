#include "platform/x11/input/pointer_kind.h"

bool IsAbsolutePointer(const PointerDevice& device) {
    if (device.use != XISlavePointer && device.use != XIFloatingSlave) {
        return false;
    }
    if (device.touchMode != 0) {
        return device.touchMode == XIDirectTouch;
    }
    return device.absoluteX && device.absoluteY;
}
