// Before Xlib, whose macros (None, Bool, ...) clash with gtest's names.
#include <gtest/gtest.h>

#include "platform/x11/xi_devices.h"

#include <X11/extensions/XI2proto.h>

#include <string.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Class {
    int type;
    int number; // valuators
    int mode;
    int extraWords; // what a class carries beyond its fixed part
};

const Class kAbsoluteX = {XIValuatorClass, 0, XIModeAbsolute, 0};
const Class kAbsoluteY = {XIValuatorClass, 1, XIModeAbsolute, 0};
const Class kRelativeX = {XIValuatorClass, 0, XIModeRelative, 0};
const Class kRelativeY = {XIValuatorClass, 1, XIModeRelative, 0};
const Class kButtons = {XIButtonClass, 0, 0, 4};
const Class kDirectTouch = {XITouchClass, 0, XIDirectTouch, 0};
const Class kDependentTouch = {XITouchClass, 0, XIDependentTouch, 0};

template <typename Record> void Append(std::vector<unsigned char>* bytes, const Record& record) {
    const unsigned char* at = reinterpret_cast<const unsigned char*>(&record);
    bytes->insert(bytes->end(), at, at + sizeof record);
}

// One device as the server describes it in an XIQueryDevice reply.
void AppendDevice(std::vector<unsigned char>* bytes, int id, int use, const std::string& name,
                  const std::vector<Class>& classes) {
    xXIDeviceInfo device{};
    device.deviceid = static_cast<uint16_t>(id);
    device.use = static_cast<uint16_t>(use);
    device.num_classes = static_cast<uint16_t>(classes.size());
    device.name_len = static_cast<uint16_t>(name.size());
    Append(bytes, device);
    bytes->insert(bytes->end(), name.begin(), name.end());
    bytes->resize((bytes->size() + 3) / 4 * 4);
    for (const Class& c : classes) {
        if (c.type == XIValuatorClass) {
            xXIValuatorInfo valuator{};
            valuator.type = XIValuatorClass;
            valuator.length = sizeof valuator / 4 + c.extraWords;
            valuator.number = static_cast<uint16_t>(c.number);
            valuator.mode = static_cast<uint8_t>(c.mode);
            Append(bytes, valuator);
        } else if (c.type == XITouchClass) {
            xXITouchInfo touch{};
            touch.type = XITouchClass;
            touch.length = sizeof touch / 4 + c.extraWords;
            touch.mode = static_cast<uint8_t>(c.mode);
            Append(bytes, touch);
        } else {
            xXIAnyInfo any{};
            any.type = static_cast<uint16_t>(c.type);
            any.length = static_cast<uint16_t>(sizeof any / 4 + c.extraWords);
            Append(bytes, any);
        }
        bytes->resize(bytes->size() + 4 * c.extraWords);
    }
}

// A machine's devices: the ids of the absolute pointers are 6, 8 and 9.
std::vector<unsigned char> Machine() {
    std::vector<unsigned char> bytes;
    AppendDevice(&bytes, 2, XIMasterPointer, "Virtual core pointer",
                 {kButtons, kAbsoluteX, kAbsoluteY});
    AppendDevice(&bytes, 4, XISlavePointer, "mouse", {kButtons, kRelativeX, kRelativeY});
    AppendDevice(&bytes, 5, XISlavePointer, "touchpad",
                 {kButtons, kAbsoluteX, kAbsoluteY, kDependentTouch});
    AppendDevice(&bytes, 6, XISlavePointer, "touchscreen", {kAbsoluteX, kAbsoluteY, kDirectTouch});
    AppendDevice(&bytes, 7, XISlaveKeyboard, "", {kAbsoluteX, kAbsoluteY});
    // A tablet with many axes: pressure, tilt and more before x and y.
    std::vector<Class> axes;
    for (int number = 2; number < 14; ++number) {
        axes.push_back({XIValuatorClass, number, XIModeAbsolute, 1});
    }
    axes.push_back(kAbsoluteY);
    axes.push_back(kAbsoluteX);
    AppendDevice(&bytes, 8, XISlavePointer, "pen", axes);
    AppendDevice(&bytes, 9, XIFloatingSlave, "floating tablet", {kAbsoluteX, kAbsoluteY});
    return bytes;
}
const int kMachineDevices = 7;

std::vector<int> Find(const std::vector<unsigned char>& bytes, int devices, int max = 16) {
    // An exact copy on the heap, so that a read past its end shows.
    std::unique_ptr<unsigned char[]> copy(new unsigned char[bytes.empty() ? 1 : bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    std::vector<int> ids(static_cast<size_t>(max));
    ids.resize(static_cast<size_t>(
        FindAbsolutePointers(copy.get(), bytes.size(), devices, ids.data(), max)));
    return ids;
}

TEST(XiDevices, FindsTouchscreensAndTabletsOnly) {
    EXPECT_EQ((std::vector<int>{6, 8, 9}), Find(Machine(), kMachineDevices));
}

TEST(XiDevices, StopsAtTheLimitsItIsGiven) {
    struct Case {
        int devices, max;
        std::vector<int> found;
    };
    const Case cases[] = {
        {0, 16, {}},
        {4, 16, {6}},
        {kMachineDevices + 5, 16, {6, 8, 9}},
        {kMachineDevices, 2, {6, 8}},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(test.found, Find(Machine(), test.devices, test.max)) << test.devices;
    }
}

TEST(XiDevices, AReplyCutShortYieldsTheDevicesReadWhole) {
    const std::vector<unsigned char> whole = Machine();
    const std::vector<int> all = Find(whole, kMachineDevices);
    for (size_t size = 0; size < whole.size(); ++size) {
        const std::vector<unsigned char> cut(whole.begin(), whole.begin() + size);
        const std::vector<int> found = Find(cut, kMachineDevices);
        ASSERT_LE(found.size(), all.size()) << size;
        EXPECT_TRUE(std::equal(found.begin(), found.end(), all.begin())) << size;
    }
}

TEST(XiDevices, LengthsThatDoNotAddUpEndTheReading) {
    std::vector<unsigned char> bytes;
    AppendDevice(&bytes, 6, XISlavePointer, "touchscreen", {kAbsoluteX, kAbsoluteY});
    const size_t broken = bytes.size();
    AppendDevice(&bytes, 7, XISlavePointer, "tablet", {kButtons, kAbsoluteX, kAbsoluteY});
    AppendDevice(&bytes, 8, XISlavePointer, "tablet", {kAbsoluteX, kAbsoluteY});
    const size_t classLength = broken + sizeof(xXIDeviceInfo) + 8 + 2;
    struct Case {
        const char* name;
        size_t at;
        uint16_t value;
    };
    const Case cases[] = {
        {"class of no length", classLength, 0},
        {"class shorter than its header", classLength, 1},
        {"class past the end", classLength, 0xFFFF},
        {"name past the end", broken + 8, 0xFFFF},
    };
    for (const Case& test : cases) {
        std::vector<unsigned char> changed = bytes;
        memcpy(&changed[test.at], &test.value, sizeof test.value);
        EXPECT_EQ(std::vector<int>{6}, Find(changed, 3)) << test.name;
    }
}

} // namespace
