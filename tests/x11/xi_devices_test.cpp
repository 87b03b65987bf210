// Before Xlib, whose macros (None, Bool, ...) clash with gtest's names.
#include <gtest/gtest.h>

#include "platform/x11/input/xi_devices.h"

#include <X11/extensions/XI2proto.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

template <typename Record> void Append(Bytes* bytes, const Record& record) {
    const unsigned char* at = reinterpret_cast<const unsigned char*>(&record);
    bytes->insert(bytes->end(), at, at + sizeof record);
}

// A class of the reply, extraWords longer than its fixed part.
template <typename Info> Bytes Class(Info info, int type, int mode, int extraWords = 0) {
    info.type = type;
    info.length = sizeof info / 4 + extraWords;
    info.mode = mode;
    Bytes bytes;
    Append(&bytes, info);
    bytes.resize(4 * info.length);
    return bytes;
}

Bytes Axis(int number, int mode = XIModeAbsolute, int extraWords = 0) {
    xXIValuatorInfo info{};
    info.number = number;
    return Class(info, XIValuatorClass, mode, extraWords);
}

const Bytes kX = Axis(0), kY = Axis(1);
const Bytes kTouch = Class(xXITouchInfo{}, XITouchClass, XIDirectTouch);
const Bytes kButtons = Class(xXITouchInfo{}, XIButtonClass, 0, 4); // same fixed part as touch
const int kRelative = XIModeRelative;

// One device as the server describes it in an XIQueryDevice reply.
void AppendDevice(Bytes* bytes, int id, int use, const std::string& name,
                  const std::vector<Bytes>& classes) {
    xXIDeviceInfo device{};
    device.deviceid = id;
    device.use = use;
    device.num_classes = classes.size();
    device.name_len = name.size();
    Append(bytes, device);
    bytes->insert(bytes->end(), name.begin(), name.end());
    bytes->resize((bytes->size() + 3) / 4 * 4);
    for (const Bytes& c : classes) {
        bytes->insert(bytes->end(), c.begin(), c.end());
    }
}

// A machine whose absolute pointers are 6, 8 and 9.
Bytes Machine() {
    Bytes bytes;
    AppendDevice(&bytes, 2, XIMasterPointer, "core", {kButtons, kX, kY});
    AppendDevice(&bytes, 3, XISlavePointer, "one axis absolute", {kX, Axis(1, kRelative)});
    AppendDevice(&bytes, 4, XISlavePointer, "mouse", {Axis(0, kRelative), Axis(1, kRelative)});
    AppendDevice(&bytes, 5, XISlavePointer, "touchpad",
                 {kX, kY, Class(xXITouchInfo{}, XITouchClass, XIDependentTouch)});
    AppendDevice(&bytes, 6, XISlavePointer, "touchscreen", {kX, kY, kTouch});
    AppendDevice(&bytes, 7, XISlaveKeyboard, "", {kX, kY});
    // A pen: pressure, a class longer than its fixed part, then y before x.
    AppendDevice(&bytes, 8, XISlavePointer, "pen", {Axis(2, XIModeAbsolute, 1), kY, kX});
    AppendDevice(&bytes, 9, XIFloatingSlave, "floating tablet", {kButtons, kX, kY});
    return bytes;
}
const int kMachineDevices = 8;

std::vector<int> Find(const Bytes& bytes, int devices, int max = 16) {
    // An exact copy on the heap, so that a read past its end shows.
    std::unique_ptr<unsigned char[]> copy(new unsigned char[bytes.empty() ? 1 : bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    std::vector<int> ids(max);
    ids.resize(FindAbsolutePointers(copy.get(), bytes.size(), devices, ids.data(), max));
    return ids;
}

TEST(XiDevices, FindsTouchscreensAndTabletsWithinTheLimitsGiven) {
    const struct {
        int devices, max;
        std::vector<int> found;
    } cases[] = {{kMachineDevices, 16, {6, 8, 9}}, {5, 16, {6}}, {kMachineDevices, 2, {6, 8}}};
    for (const auto& test : cases) {
        EXPECT_EQ(test.found, Find(Machine(), test.devices, test.max)) << test.devices;
    }
}

// A name or class whose length runs past the reply's end is met here too.
TEST(XiDevices, AReplyCutShortYieldsTheDevicesReadWhole) {
    const Bytes whole = Machine();
    const std::vector<int> all = Find(whole, kMachineDevices);
    for (size_t size = 0; size < whole.size(); ++size) {
        const std::vector<int> found =
            Find(Bytes(whole.begin(), whole.begin() + size), kMachineDevices);
        ASSERT_LE(found.size(), all.size()) << size;
        EXPECT_TRUE(std::equal(found.begin(), found.end(), all.begin())) << size;
    }
}

// A class of one word claims less than its own header: what follows is no
// rest of it to read on from.
TEST(XiDevices, AClassShorterThanItsHeaderEndsTheReading) {
    Bytes bytes;
    AppendDevice(&bytes, 6, XISlavePointer, "touchscreen", {kX, kY, kTouch});
    AppendDevice(&bytes, 7, XISlavePointer, "tablet",
                 {Class(xXITouchInfo{}, XIButtonClass, 0, -1)});
    AppendDevice(&bytes, 8, XISlavePointer, "touchscreen", {kX, kY, kTouch});
    EXPECT_EQ(std::vector<int>{6}, Find(bytes, 3));
}

} // namespace
