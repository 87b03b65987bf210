// XInput 2 spoken directly: through libXi the search took five more round
// trips, and loading the library as long again.
#include "platform/x11/touch_input.h"

#include "platform/x11/connection.h"
#include "platform/x11/xi_devices.h"

#include <X11/Xlibint.h>
#include <X11/extensions/XI2proto.h>
#include <stdlib.h>
#include <string.h>

namespace {

static_assert(sizeof(float) == 4, "XInput's FLOAT properties are 32 bits wide");
static_assert(sizeof(xXIChangePropertyReq) == sz_xXIChangePropertyReq,
              "a property's values follow the request's fixed part");

// An XInput 2 request of the given minor code, queued; the display is
// locked until Finish.
template <typename Request> Request* Begin(Display* display, int opcode, int minor, size_t size) {
    LockDisplay(display);
    Request* request = static_cast<Request*>(_XGetRequest(display, minor, size));
    request->reqType = static_cast<uint8_t>(opcode);
    request->ReqType = static_cast<uint8_t>(minor);
    return request;
}

void Finish(Display* display) {
    UnlockDisplay(display);
    if (display->synchandler != nullptr) {
        display->synchandler(display);
    }
}

// The reply's data after its 32 bytes, to be freed; null on an error (the
// trap notes it) or when memory runs out. The display must be locked.
unsigned char* ReadReply(Display* display, xReply* reply, size_t* bytes) {
    if (!_XReply(display, reply, 0, xFalse)) {
        return nullptr;
    }
    *bytes = static_cast<size_t>(reply->generic.length) * 4;
    unsigned char* data = static_cast<unsigned char*>(malloc(*bytes > 0 ? *bytes : 1));
    if (data == nullptr) {
        _XEatDataWords(display, reply->generic.length);
        return nullptr;
    }
    _XRead(display, reinterpret_cast<char*>(data), static_cast<long>(*bytes));
    return data;
}

// XInput's major opcode once this client has declared the version it
// speaks, which every other XInput 2 request needs; 0 without XInput 2.
// 2.2 is the first that describes touchscreens as such.
int StartXInput2(Display* display) {
    int opcode = 0;
    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) {
        return 0;
    }
    xXIQueryVersionReq* request =
        Begin<xXIQueryVersionReq>(display, opcode, X_XIQueryVersion, sz_xXIQueryVersionReq);
    request->major_version = 2;
    request->minor_version = 2;
    xXIQueryVersionReply reply;
    const bool spoken =
        _XReply(display, reinterpret_cast<xReply*>(&reply), 0, xTrue) && reply.major_version >= 2;
    Finish(display);
    return spoken ? opcode : 0;
}

int QueryAbsolutePointers(Display* display, int opcode, int* ids, int max) {
    xXIQueryDeviceReq* request =
        Begin<xXIQueryDeviceReq>(display, opcode, X_XIQueryDevice, sz_xXIQueryDeviceReq);
    request->deviceid = XIAllDevices;
    xXIQueryDeviceReply reply;
    size_t bytes = 0;
    unsigned char* data = ReadReply(display, reinterpret_cast<xReply*>(&reply), &bytes);
    Finish(display);
    const int count =
        data != nullptr ? FindAbsolutePointers(data, bytes, reply.num_devices, ids, max) : 0;
    free(data);
    return count;
}

bool HasProperty(Display* display, int opcode, int device, Atom property) {
    xXIListPropertiesReq* request =
        Begin<xXIListPropertiesReq>(display, opcode, X_XIListProperties, sz_xXIListPropertiesReq);
    request->deviceid = static_cast<uint16_t>(device);
    xXIListPropertiesReply reply;
    size_t bytes = 0;
    unsigned char* data = ReadReply(display, reinterpret_cast<xReply*>(&reply), &bytes);
    Finish(display);
    bool found = false;
    const size_t count = data != nullptr ? bytes / 4 : 0;
    for (size_t i = 0; i < count && i < reply.num_properties && !found; ++i) {
        uint32_t atom = 0;
        memcpy(&atom, data + i * 4, 4);
        found = atom == property;
    }
    free(data);
    return found;
}

} // namespace

TouchDevices FindTouchDevices(Display* display) {
    TouchDevices found;
    // A server of XInput 1 only, or a device unplugged meanwhile, answers
    // with an error: there is nothing to turn.
    BeginXErrorTrap();
    found.opcode = StartXInput2(display);
    int ids[kMaxTouchDevices];
    const int count =
        found.opcode != 0 ? QueryAbsolutePointers(display, found.opcode, ids, kMaxTouchDevices) : 0;
    // Most machines have no absolute pointer: no need to name the matrix.
    char* names[] = {const_cast<char*>("Coordinate Transformation Matrix"),
                     const_cast<char*>("FLOAT")};
    Atom atoms[2] = {None, None};
    if (count > 0 && XInternAtoms(display, names, 2, True, atoms) && atoms[0] != None &&
        atoms[1] != None) {
        found.matrix = atoms[0];
        found.floatType = atoms[1];
        for (int i = 0; i < count; ++i) {
            if (HasProperty(display, found.opcode, ids[i], found.matrix)) {
                found.ids[found.count++] = ids[i];
            }
        }
    }
    EndXErrorTrap();
    return found;
}

void TurnTouchDevices(Display* display, const TouchDevices& devices,
                      const OrientationEntry& orientation) {
    const size_t items = sizeof orientation.touchMatrix / sizeof orientation.touchMatrix[0];
    for (int i = 0; i < devices.count; ++i) {
        // The matrix travels in the request, right after its fixed part.
        xXIChangePropertyReq* request =
            Begin<xXIChangePropertyReq>(display, devices.opcode, X_XIChangeProperty,
                                        sz_xXIChangePropertyReq + sizeof orientation.touchMatrix);
        request->deviceid = static_cast<uint16_t>(devices.ids[i]);
        request->mode = PropModeReplace;
        request->format = 32;
        request->property = static_cast<uint32_t>(devices.matrix);
        request->type = static_cast<uint32_t>(devices.floatType);
        request->num_items = items;
        memcpy(request + 1, orientation.touchMatrix, sizeof orientation.touchMatrix);
        Finish(display);
    }
    XFlush(display);
}
