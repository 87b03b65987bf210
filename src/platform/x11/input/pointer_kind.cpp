#include "platform/x11/input/pointer_kind.h"

bool IsAbsolutePointer(const XIDeviceInfo& device) {
    if (device.use != XISlavePointer && device.use != XIFloatingSlave) {
        return false;
    }
    bool absoluteX = false;
    bool absoluteY = false;
    for (int i = 0; i < device.num_classes; ++i) {
        const XIAnyClassInfo* any = device.classes[i];
        if (any->type == XITouchClass) {
            return reinterpret_cast<const XITouchClassInfo*>(any)->mode == XIDirectTouch;
        }
        if (any->type == XIValuatorClass) {
            const XIValuatorClassInfo* valuator = reinterpret_cast<const XIValuatorClassInfo*>(any);
            const bool absolute = valuator->mode == XIModeAbsolute;
            absoluteX = absoluteX || (valuator->number == 0 && absolute);
            absoluteY = absoluteY || (valuator->number == 1 && absolute);
        }
    }
    return absoluteX && absoluteY;
}
