#include "platform/x11/input/xi_devices.h"

#include "platform/x11/input/pointer_kind.h"

#include <X11/extensions/XI2proto.h>
#include <string.h>

namespace {

struct Reader {
    const unsigned char* at;
    size_t left;

    // Copies the next size bytes into record, staying before them.
    bool Peek(void* record, size_t size) const {
        if (size > left) {
            return false;
        }
        memcpy(record, at, size);
        return true;
    }

    bool Skip(size_t bytes) {
        if (bytes > left) {
            return false;
        }
        at += bytes;
        left -= bytes;
        return true;
    }
};

bool ReadClass(Reader* reader, PointerDevice* device) {
    xXIAnyInfo any;
    if (!reader->Peek(&any, sizeof any)) {
        return false;
    }
    // A class of no length would never be left.
    const size_t bytes = static_cast<size_t>(any.length) * 4;
    if (bytes < sizeof any || bytes > reader->left) {
        return false;
    }
    if (any.type == XIValuatorClass && bytes >= sizeof(xXIValuatorInfo)) {
        xXIValuatorInfo wire;
        reader->Peek(&wire, sizeof wire);
        const bool absolute = wire.mode == XIModeAbsolute;
        device->absoluteX = device->absoluteX || (wire.number == 0 && absolute);
        device->absoluteY = device->absoluteY || (wire.number == 1 && absolute);
    } else if (any.type == XITouchClass && bytes >= sizeof(xXITouchInfo) &&
               device->touchMode == 0) {
        xXITouchInfo wire;
        reader->Peek(&wire, sizeof wire);
        device->touchMode = wire.mode;
    }
    return reader->Skip(bytes);
}

bool ReadDevice(Reader* reader, PointerDevice* device, int* id) {
    xXIDeviceInfo wire;
    // The name follows, padded to whole words.
    if (!reader->Peek(&wire, sizeof wire) ||
        !reader->Skip(sizeof wire + (static_cast<size_t>(wire.name_len) + 3) / 4 * 4)) {
        return false;
    }
    *device = PointerDevice{wire.use, 0, false, false};
    *id = wire.deviceid;
    for (int i = 0; i < wire.num_classes; ++i) {
        if (!ReadClass(reader, device)) {
            return false;
        }
    }
    return true;
}

} // namespace

int FindAbsolutePointers(const unsigned char* data, size_t bytes, int devices, int* ids, int max) {
    Reader reader = {data, bytes};
    PointerDevice device;
    int id = 0;
    int found = 0;
    for (int i = 0; i < devices && found < max && ReadDevice(&reader, &device, &id); ++i) {
        if (IsAbsolutePointer(device)) {
            ids[found++] = id;
        }
    }
    return found;
}
