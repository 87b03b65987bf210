#include "platform/x11/touch_input.h"

#include "platform/x11/connection.h"
#include "platform/x11/turn_plan.h"

#include <X11/extensions/XInput2.h>

namespace {

static_assert(sizeof(float) == 4, "XInput's FLOAT properties are 32 bits wide");

bool HasXInput2(Display* display) {
    int opcode = 0;
    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) {
        return false;
    }
    int major = 2;
    int minor = 0;
    return XIQueryVersion(display, &major, &minor) == Success;
}

bool HasProperty(Display* display, int device, Atom property) {
    int count = 0;
    Atom* properties = XIListProperties(display, device, &count);
    bool found = false;
    for (int i = 0; i < count && !found; ++i) {
        found = properties[i] == property;
    }
    XFree(properties);
    return found;
}

} // namespace

void TurnTouchInput(Display* display, const OrientationEntry& orientation) {
    if (!HasXInput2(display)) {
        return;
    }
    const Atom matrix = XInternAtom(display, "Coordinate Transformation Matrix", True);
    const Atom floatType = XInternAtom(display, "FLOAT", True);
    if (matrix == None || floatType == None) {
        return;
    }
    // A device unplugged meanwhile answers with an error: it needs nothing.
    BeginXErrorTrap();
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        const int id = devices[i].deviceid;
        if (IsAbsolutePointer(devices[i]) && HasProperty(display, id, matrix)) {
            XIChangeProperty(
                display, id, matrix, floatType, 32, PropModeReplace,
                reinterpret_cast<unsigned char*>(const_cast<float*>(orientation.touchMatrix)), 9);
        }
    }
    XIFreeDeviceInfo(devices);
    EndXErrorTrap(display);
}
