#include "platform/x11/input/xi_devices.h"

#include "platform/x11/input/pointer_kind.h"

#include <X11/extensions/XI2proto.h>
#include <string.h>

namespace {

// Enough for any device: only the touch class and the valuators of the
// first two axes are kept, the classes that tell whether it is absolute.
const int kMaxKeptClasses = 8;

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

// A device with the classes that matter, in libXi's form.
struct Device {
    XIDeviceInfo info;
    XIAnyClassInfo* classes[kMaxKeptClasses];
    XIValuatorClassInfo valuators[kMaxKeptClasses];
    XITouchClassInfo touches[kMaxKeptClasses];
};

bool ReadClass(Reader* reader, Device* device) {
    xXIAnyInfo any;
    if (!reader->Peek(&any, sizeof any)) {
        return false;
    }
    // A class of no length would never be left.
    const size_t bytes = static_cast<size_t>(any.length) * 4;
    if (bytes < sizeof any || bytes > reader->left) {
        return false;
    }
    const int kept = device->info.num_classes;
    if (any.type == XIValuatorClass && bytes >= sizeof(xXIValuatorInfo) && kept < kMaxKeptClasses) {
        xXIValuatorInfo wire;
        reader->Peek(&wire, sizeof wire);
        if (wire.number <= 1) {
            XIValuatorClassInfo& valuator = device->valuators[kept];
            valuator.type = XIValuatorClass;
            valuator.number = wire.number;
            valuator.mode = wire.mode;
            device->classes[device->info.num_classes++] =
                reinterpret_cast<XIAnyClassInfo*>(&valuator);
        }
    } else if (any.type == XITouchClass && bytes >= sizeof(xXITouchInfo) &&
               kept < kMaxKeptClasses) {
        xXITouchInfo wire;
        reader->Peek(&wire, sizeof wire);
        XITouchClassInfo& touch = device->touches[kept];
        touch.type = XITouchClass;
        touch.mode = wire.mode;
        device->classes[device->info.num_classes++] = reinterpret_cast<XIAnyClassInfo*>(&touch);
    }
    return reader->Skip(bytes);
}

bool ReadDevice(Reader* reader, Device* device) {
    xXIDeviceInfo wire;
    // The name follows, padded to whole words.
    if (!reader->Peek(&wire, sizeof wire) ||
        !reader->Skip(sizeof wire + (static_cast<size_t>(wire.name_len) + 3) / 4 * 4)) {
        return false;
    }
    device->info = XIDeviceInfo();
    device->info.deviceid = wire.deviceid;
    device->info.use = wire.use;
    device->info.classes = device->classes;
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
    Device device;
    int found = 0;
    for (int i = 0; i < devices && found < max && ReadDevice(&reader, &device); ++i) {
        if (IsAbsolutePointer(device.info)) {
            ids[found++] = device.info.deviceid;
        }
    }
    return found;
}
