// XInput 2 spoken directly, its questions riding on round trips the program
// makes anyway: through libXi the search took seven round trips of its own
// and the library's load, now it takes one.
#include "platform/x11/input/touch_input.h"

#include "platform/x11/display/connection.h"
#include "platform/x11/input/xi_devices.h"

#include <X11/Xlibint.h>
#include <X11/extensions/XI2proto.h>
#include <stdlib.h>
#include <string.h>

namespace {

static_assert(sizeof(float) == 4, "XInput's FLOAT properties are 32 bits wide");
static_assert(sizeof(xXIChangePropertyReq) == sz_xXIChangePropertyReq &&
                  sizeof(xQueryExtensionReq) == sz_xQueryExtensionReq,
              "what a request carries follows its fixed part");

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

// A fixed-size reply taken when it arrives, while the program waits for a
// later one: its request shares that round trip.
struct LaterReply {
    _XAsyncHandler handler;
    uint64_t sequence;
    bool expected;
    bool arrived;
    char bytes[sz_xReply];
};

Bool TakeLaterReply(Display* display, xReply* reply, char* buffer, int length, XPointer data) {
    LaterReply* later = reinterpret_cast<LaterReply*>(data);
    // An error goes on to the error handler.
    if (X_DPY_GET_LAST_REQUEST_READ(display) != later->sequence || reply->generic.type == X_Error) {
        return False;
    }
    memcpy(later->bytes, _XGetAsyncReply(display, later->bytes, reply, buffer, length, 0, True),
           sizeof later->bytes);
    later->arrived = true;
    return True;
}

// Expects the reply of the request just queued; the display is locked.
void ExpectLater(Display* display, LaterReply* later) {
    later->sequence = X_DPY_GET_REQUEST(display);
    later->expected = true;
    later->arrived = false;
    later->handler.handler = TakeLaterReply;
    later->handler.data = reinterpret_cast<XPointer>(later);
    later->handler.next = display->async_handlers;
    display->async_handlers = &later->handler;
}

void StopExpecting(Display* display, LaterReply* later) {
    if (later->expected) {
        later->expected = false;
        LockDisplay(display);
        DeqAsyncHandler(display, &later->handler);
        UnlockDisplay(display);
    }
}

LaterReply gXInputAnswer;
bool gXInputAsked = false;

// XInput's major opcode; 0 without XInput.
int XInputOpcode(Display* display) {
    AskForXInput(display);
    if (!gXInputAnswer.arrived) {
        XSync(display, False);
    }
    StopExpecting(display, &gXInputAnswer);
    xQueryExtensionReply reply;
    memcpy(&reply, gXInputAnswer.bytes, sizeof reply);
    return gXInputAnswer.arrived && reply.present ? reply.major_opcode : 0;
}

// The absolute pointers, once this client has declared the XInput 2
// version it speaks, which every other XInput 2 request needs (2.2 is the
// first that describes touchscreens as such). The declaration's answer
// comes with the device list's.
int QueryAbsolutePointers(Display* display, int opcode, int* ids, int max) {
    xXIQueryVersionReq* version =
        Begin<xXIQueryVersionReq>(display, opcode, X_XIQueryVersion, sz_xXIQueryVersionReq);
    version->major_version = 2;
    version->minor_version = 2;
    LaterReply versionReply = LaterReply();
    ExpectLater(display, &versionReply);
    Finish(display);
    xXIQueryDeviceReq* request =
        Begin<xXIQueryDeviceReq>(display, opcode, X_XIQueryDevice, sz_xXIQueryDeviceReq);
    request->deviceid = XIAllDevices;
    request->pad = 0;
    xXIQueryDeviceReply reply;
    size_t bytes = 0;
    unsigned char* data = ReadReply(display, reinterpret_cast<xReply*>(&reply), &bytes);
    Finish(display);
    StopExpecting(display, &versionReply);
    xXIQueryVersionReply spoken;
    memcpy(&spoken, versionReply.bytes, sizeof spoken);
    const int count = data != nullptr && versionReply.arrived && spoken.major_version >= 2
                          ? FindAbsolutePointers(data, bytes, reply.num_devices, ids, max)
                          : 0;
    free(data);
    return count;
}

bool HasProperty(Display* display, int opcode, int device, Atom property) {
    xXIListPropertiesReq* request =
        Begin<xXIListPropertiesReq>(display, opcode, X_XIListProperties, sz_xXIListPropertiesReq);
    request->deviceid = static_cast<uint16_t>(device);
    request->pad = 0;
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

void AskForXInput(Display* display) {
    if (gXInputAsked) {
        return;
    }
    gXInputAsked = true;
    static const char name[] = "XInputExtension";
    const size_t padded = (sizeof name - 1 + 3) / 4 * 4;
    LockDisplay(display);
    xQueryExtensionReq* request = static_cast<xQueryExtensionReq*>(
        _XGetRequest(display, X_QueryExtension, sz_xQueryExtensionReq + padded));
    request->nbytes = sizeof name - 1;
    request->pad1 = request->pad2 = 0;
    memset(request + 1, 0, padded);
    memcpy(request + 1, name, sizeof name - 1);
    ExpectLater(display, &gXInputAnswer);
    Finish(display);
}

TouchDevices FindTouchDevices(Display* display) {
    TouchDevices found;
    // A server of XInput 1 only, or a device unplugged meanwhile, answers
    // with an error: there is nothing to turn.
    BeginXErrorTrap();
    found.opcode = XInputOpcode(display);
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
    if (devices.count == 0) {
        return;
    }
    const size_t items = sizeof orientation.touchMatrix / sizeof orientation.touchMatrix[0];
    // A device unplugged since the search answers with an error.
    BeginXErrorTrap();
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
    // A server that finds a client gone drops what it had not yet read from
    // it, and it is still redrawing the turned screen.
    XSync(display, False);
    EndXErrorTrap();
}
