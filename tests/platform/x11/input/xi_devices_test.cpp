// Before Xlib, whose macros (None, Bool, ...) clash with gtest's names.
#include <gtest/gtest.h>

#include "platform/x11/input/xi_devices.h"

#include <X11/extensions/XI2proto.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

template <typename... Parts> Bytes Join(const Parts&... parts) {
    Bytes joined;
    (joined.insert(joined.end(), parts.begin(), parts.end()), ...);
    return joined;
}

// record's bytes, cut or padded with zeros to words.
template <typename Record> Bytes Raw(const Record& record, size_t words = sizeof(Record) / 4) {
    Bytes bytes(4 * words);
    std::memcpy(bytes.data(), &record, std::min(bytes.size(), sizeof record));
    return bytes;
}

// A valuator class, extraWords longer than its fixed part.
Bytes Axis(uint16_t number, uint8_t mode = XIModeAbsolute, int extraWords = 0) {
    const uint16_t words = sizeof(xXIValuatorInfo) / 4 + extraWords;
    return Raw(xXIValuatorInfo{XIValuatorClass, words, 0, number, 0, {}, {}, {}, 0, mode, 0, 0},
               words);
}

// One device as the server describes it, its name padded to whole words.
template <typename... Classes>
Bytes Device(uint16_t id, uint16_t use, std::string name, const Classes&... classes) {
    const xXIDeviceInfo info = {id, use, 0, sizeof...(classes), uint16_t(name.size()), 1, 0};
    name.resize((name.size() + 3) / 4 * 4);
    return Join(Raw(info), Bytes(name.begin(), name.end()), classes...);
}

const Bytes kX = Axis(0), kY = Axis(1), kButtons = Raw(xXIButtonInfo{XIButtonClass, 6, 0, 0}, 6);
const Bytes kTouch = Raw(xXITouchInfo{XITouchClass, 2, 0, XIDirectTouch, 0});
const Bytes kPadTouch = Raw(xXITouchInfo{XITouchClass, 2, 0, XIDependentTouch, 0});

// Eight devices, whose absolute pointers are 6, 8 and 9.
const Bytes kMachine =
    Join(Device(2, XIMasterPointer, "core", kButtons, kX, kY),
         Device(3, XISlavePointer, "one axis absolute", kX, Axis(1, XIModeRelative)),
         Device(4, XISlavePointer, "mouse", Axis(0, XIModeRelative), Axis(1, XIModeRelative)),
         Device(5, XISlavePointer, "touchpad", kX, kY, kPadTouch),
         Device(6, XISlavePointer, "touchscreen", kX, kY, kTouch),
         Device(7, XISlaveKeyboard, "", kX, kY),
         // A pen: pressure, a class longer than its fixed part, then y before x.
         Device(8, XISlavePointer, "pen", Axis(2, XIModeAbsolute, 1), kY, kX),
         Device(9, XIFloatingSlave, "floating tablet", kButtons, kX, kY));

// reply is a copy: a heap block of its size exactly, so that a read past its end shows.
std::vector<int> Find(Bytes reply, int devices, int max = 16) {
    std::vector<int> ids(max);
    ids.resize(FindAbsolutePointers(reply.data(), reply.size(), devices, ids.data(), max));
    return ids;
}

// Which devices count, within the count and the max given. A class of one word claims less
// than its own header: what follows is no rest of it to read on from.
TEST(XiDevices, FindsTheAbsolutePointersReadWholeWithinTheLimitsGiven) {
    EXPECT_EQ(std::vector<int>{6}, Find(kMachine, 6)); // the pen, seventh, is not read
    EXPECT_EQ((std::vector<int>{6, 8}), Find(kMachine, 8, 2));
    const Bytes shortClass =
        Join(Device(6, XISlavePointer, "touchscreen", kX, kY, kTouch),
             Device(7, XISlavePointer, "tablet", Raw(xXIAnyInfo{XIButtonClass, 1, 0, 0}, 1)),
             Device(8, XISlavePointer, "touchscreen", kX, kY, kTouch));
    EXPECT_EQ(std::vector<int>{6}, Find(shortClass, 3));
    // Cut short at any byte, where names and classes run past its end: a prefix of the answer.
    const std::vector<int> all = {6, 8, 9};
    EXPECT_EQ(all, Find(kMachine, 8));
    for (size_t size = 0; size < kMachine.size(); ++size) {
        const std::vector<int> found = Find(Bytes(kMachine.begin(), kMachine.begin() + size), 8);
        ASSERT_LE(found.size(), all.size()) << size;
        EXPECT_TRUE(std::equal(found.begin(), found.end(), all.begin())) << size;
    }
}

} // namespace
