#include "platform/x11/input/touch_input.h"

#include "platform/linux/standard_error.h"
#include "platform/x11/input/xi_devices.h"

#include <X11/extensions/XI2proto.h>
#include <stdlib.h>
#include <string.h>
#include <sys/uio.h>
#include <xcb/xcbext.h>

namespace {

static_assert(sizeof(float) == 4, "XInput's FLOAT properties are 32 bits wide");

// XCB writes the opcodes and the length into the request's first word.
template <typename Request>
unsigned int Send(xcb_connection_t* connection, xcb_extension_t* xinput, Request* request,
                  int minor, bool replies) {
    iovec parts[3];
    parts[2].iov_base = request;
    parts[2].iov_len = sizeof *request;
    const xcb_protocol_request_t protocol = {1, xinput, static_cast<uint8_t>(minor), !replies};
    return xcb_send_request(connection, replies ? XCB_REQUEST_CHECKED : 0, parts + 2, &protocol);
}

// A reply and what follows its 32 bytes, to be freed; null on an error.
template <typename Reply> Reply* Wait(xcb_connection_t* connection, unsigned int sequence) {
    xcb_generic_error_t* error = nullptr;
    void* reply = xcb_wait_for_reply(connection, sequence, &error);
    free(error);
    return static_cast<Reply*>(reply);
}

xcb_atom_t AtomOf(xcb_connection_t* connection, xcb_intern_atom_cookie_t cookie) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : XCB_NONE;
    free(reply);
    return atom;
}

} // namespace

void PrefetchXInput(xcb_connection_t* connection, xcb_extension_t* xinput) {
    xcb_prefetch_extension_data(connection, xinput);
}

// A client declares the XInput 2 version it speaks before any other XInput 2
// request: 2.2 is the first that describes touchscreens as such.
void AskForDevices(xcb_connection_t* connection, xcb_extension_t* xinput, TouchSearch* search) {
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, xinput);
    search->present = extension != nullptr && extension->present;
    if (!search->present) {
        return;
    }
    xXIQueryVersionReq version{};
    version.major_version = 2;
    version.minor_version = 2;
    search->version = Send(connection, xinput, &version, X_XIQueryVersion, true);
    xXIQueryDeviceReq devices{};
    devices.deviceid = XIAllDevices;
    search->devices = Send(connection, xinput, &devices, X_XIQueryDevice, true);
    // Most machines have no absolute pointer: no need to name the matrix.
    static const char kMatrix[] = "Coordinate Transformation Matrix";
    static const char kFloat[] = "FLOAT";
    search->matrixName = xcb_intern_atom(connection, 1, sizeof kMatrix - 1, kMatrix);
    search->floatName = xcb_intern_atom(connection, 1, sizeof kFloat - 1, kFloat);
}

// A server of XInput 1 only answers the version with an error: nothing to
// turn then. The names were asked with the devices: no round trip more.
void AskForMatrices(xcb_connection_t* connection, xcb_extension_t* xinput, TouchSearch* search) {
    if (!search->present) {
        return;
    }
    xXIQueryVersionReply* version = Wait<xXIQueryVersionReply>(connection, search->version);
    xXIQueryDeviceReply* devices = Wait<xXIQueryDeviceReply>(connection, search->devices);
    if (version != nullptr && version->major_version >= 2 && devices != nullptr) {
        search->count = FindAbsolutePointers(reinterpret_cast<unsigned char*>(devices + 1),
                                             static_cast<size_t>(devices->length) * 4,
                                             devices->num_devices, search->ids, kMaxTouchDevices);
    }
    free(version);
    free(devices);
    search->matrix = AtomOf(connection, search->matrixName);
    search->floatType = AtomOf(connection, search->floatName);
    if (search->matrix == XCB_NONE || search->floatType == XCB_NONE) {
        search->count = 0;
    }
    for (int i = 0; i < search->count; ++i) {
        xXIGetPropertyReq request{};
        request.deviceid = static_cast<uint16_t>(search->ids[i]);
        request.property = search->matrix;
        request.type = search->floatType;
        request.len = 9;
        search->matrices[i] = Send(connection, xinput, &request, X_XIGetProperty, true);
    }
}

TouchDevices TakeTouchDevices(xcb_connection_t* connection, TouchSearch* search) {
    TouchDevices found;
    found.matrix = search->matrix;
    found.floatType = search->floatType;
    for (int i = 0; i < search->count; ++i) {
        // A device unplugged meanwhile answers with an error; one without
        // the property with no type.
        xXIGetPropertyReply* reply = Wait<xXIGetPropertyReply>(connection, search->matrices[i]);
        float* matrix = found.matrices[found.count];
        if (reply != nullptr && reply->type == found.floatType && reply->format == 32 &&
            reply->num_items == 9 && reply->length >= 9) {
            memcpy(matrix, reply + 1, sizeof found.matrices[0]);
            found.ids[found.count++] = search->ids[i];
        }
        free(reply);
    }
    return found;
}

void SendTouchMatrices(xcb_connection_t* connection, xcb_extension_t* xinput,
                       const TouchDevices& devices, const RootLayout& before,
                       const RootLayout& after) {
    // The matrix travels in the request, right after its fixed part.
    struct {
        xXIChangePropertyReq fixed;
        float matrix[9];
    } request;
    static_assert(sizeof request == sz_xXIChangePropertyReq + sizeof devices.matrices[0],
                  "the matrix follows the fixed part unpadded");
    for (int i = 0; i < devices.count; ++i) {
        memcpy(request.matrix, devices.matrices[i], sizeof request.matrix);
        const int output = MappedOutput(request.matrix, before);
        if (output < 0 || !FollowOutput(before, after, output, request.matrix)) {
            continue;
        }
        ReportDebug("sent: the matrix of input device %d", devices.ids[i]);
        request.fixed = xXIChangePropertyReq{};
        request.fixed.deviceid = static_cast<uint16_t>(devices.ids[i]);
        request.fixed.mode = XIPropModeReplace;
        request.fixed.format = 32;
        request.fixed.property = devices.matrix;
        request.fixed.type = devices.floatType;
        request.fixed.num_items = sizeof request.matrix / sizeof request.matrix[0];
        Send(connection, xinput, &request, X_XIChangeProperty, false);
    }
}
