// The Linux program taking every pointer device attached to the core
// pointer for a touchscreen, so that the tests can watch touch input follow
// a turn on a server that has no touchscreen.
#include <X11/extensions/XInput2.h>

// IsAbsolutePointer(const XIDeviceInfo&), by its linker name.
extern "C" bool __wrap__Z17IsAbsolutePointerRK12XIDeviceInfo(const XIDeviceInfo& device) {
    return device.use == XISlavePointer;
}
