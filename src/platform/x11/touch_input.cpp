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

TouchDevices FindTouchDevices(Display* display) {
    TouchDevices found;
    if (!HasXInput2(display)) {
        return found;
    }
    char* names[] = {const_cast<char*>("Coordinate Transformation Matrix"),
                     const_cast<char*>("FLOAT")};
    Atom atoms[2] = {None, None};
    if (!XInternAtoms(display, names, 2, True, atoms) || atoms[0] == None || atoms[1] == None) {
        return found;
    }
    found.matrix = atoms[0];
    found.floatType = atoms[1];
    // A device unplugged meanwhile answers with an error: it needs nothing.
    BeginXErrorTrap();
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllDevices, &count);
    for (int i = 0; i < count && found.count < kMaxTouchDevices; ++i) {
        const int id = devices[i].deviceid;
        if (IsAbsolutePointer(devices[i]) && HasProperty(display, id, found.matrix)) {
            found.ids[found.count++] = id;
        }
    }
    XIFreeDeviceInfo(devices);
    EndXErrorTrap();
    return found;
}

void TurnTouchDevices(Display* display, const TouchDevices& devices,
                      const OrientationEntry& orientation) {
    unsigned char* matrix =
        reinterpret_cast<unsigned char*>(const_cast<float*>(orientation.touchMatrix));
    for (int i = 0; i < devices.count; ++i) {
        XIChangeProperty(display, devices.ids[i], devices.matrix, devices.floatType, 32,
                         PropModeReplace, matrix, 9);
    }
    XFlush(display);
}
