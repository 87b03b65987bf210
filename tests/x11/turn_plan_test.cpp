// Before Xlib, whose macros (None, Bool, ...) clash with gtest's names.
#include <gtest/gtest.h>

#include "platform/x11/turn_plan.h"

#include <X11/extensions/Xrandr.h>

#include <tuple>

namespace {

std::tuple<int, int, int, int> Fields(const ScreenSize& size) {
    return std::make_tuple(size.width, size.height, size.mmWidth, size.mmHeight);
}

TEST(TurnPlan, OrientationsOfRotationsIgnoreReflections) {
    const Uint16 all = RR_Rotate_0 | RR_Rotate_90 | RR_Rotate_180 | RR_Rotate_270;
    EXPECT_EQ(0u, OrientationSetOf(RR_Rotate_0 | RR_Reflect_X | RR_Reflect_Y));
    EXPECT_EQ(CE_DMDO_180, OrientationSetOf(RR_Rotate_0 | RR_Rotate_180));
    EXPECT_EQ(CE_DMDO_270, OrientationSetOf(RR_Rotate_270));
    EXPECT_EQ(CE_DMDO_90 | CE_DMDO_180 | CE_DMDO_270, OrientationSetOf(all | RR_Reflect_X));

    const Uint16 rotations[] = {RR_Rotate_0, RR_Rotate_90 | RR_Reflect_X,
                                RR_Rotate_180 | RR_Reflect_X | RR_Reflect_Y,
                                RR_Rotate_270 | RR_Reflect_Y};
    const Uint32 codes[] = {CE_DMDO_0, CE_DMDO_90, CE_DMDO_180, CE_DMDO_270};
    for (int i = 0; i < 4; ++i) {
        const OrientationEntry* entry = OrientationOf(rotations[i]);
        ASSERT_NE(nullptr, entry) << rotations[i];
        EXPECT_EQ(codes[i], entry->code);
    }
    for (const Uint16 rotation : {0, RR_Reflect_X, RR_Rotate_0 | RR_Rotate_90}) {
        EXPECT_EQ(nullptr, OrientationOf(rotation)) << rotation;
    }
}

TEST(TurnPlan, TurnedRotationKeepsReflections) {
    const OrientationEntry& left = *FindOrientationByCode(CE_DMDO_90);
    EXPECT_EQ(RR_Rotate_90, TurnedRotation(RR_Rotate_180, left));
    EXPECT_EQ(RR_Rotate_90 | RR_Reflect_X | RR_Reflect_Y,
              TurnedRotation(RR_Rotate_270 | RR_Reflect_X | RR_Reflect_Y, left));
}

TEST(TurnPlan, ScreenHoldsEveryCrtcOnceTurned) {
    struct Case {
        ScreenSize screen;
        CrtcArea area;
        bool swap;
        ScreenSize expected;
    };
    const Case cases[] = {
        // A quarter turn swaps pixels and millimetres, a half turn keeps them.
        {{800, 600, 271, 203}, {0, 0, 800, 600}, true, {600, 800, 203, 271}},
        {{800, 600, 271, 203}, {0, 0, 800, 600}, false, {800, 600, 271, 203}},
        // Larger than its CRTC, the screen shrinks to it.
        {{1000, 700, 250, 175}, {0, 0, 800, 600}, true, {600, 800, 150, 200}},
        // No millimetres known: 96 pixels per inch.
        {{800, 600, 0, 0}, {0, 0, 800, 600}, true, {600, 800, 159, 212}},
    };
    for (const Case& test : cases) {
        const ScreenSize size = TurnedScreenSize(test.screen, &test.area, 1, 0, test.swap);
        EXPECT_EQ(Fields(test.expected), Fields(size)) << &test - cases;
    }
    // A CRTC beside or above the turned one keeps its place.
    const CrtcArea beside[] = {{0, 0, 1024, 768}, {1024, 0, 1024, 768}};
    const CrtcArea above[] = {{0, 0, 1024, 768}, {0, 768, 1024, 768}};
    EXPECT_EQ(Fields({1792, 1024, 474, 271}),
              Fields(TurnedScreenSize({2048, 768, 542, 203}, beside, 2, 1, true)));
    EXPECT_EQ(Fields({1024, 1792, 271, 474}),
              Fields(TurnedScreenSize({1024, 1536, 271, 406}, above, 2, 1, true)));
}

TEST(TurnPlan, SizeRangeBoundsAreInclusive) {
    const SizeRange range{160, 160, 1600, 1200};
    EXPECT_TRUE(FitsSizeRange(ScreenSize{160, 160, 1, 1}, range));
    EXPECT_TRUE(FitsSizeRange(ScreenSize{1600, 1200, 1, 1}, range));
    EXPECT_FALSE(FitsSizeRange(ScreenSize{1200, 1600, 1, 1}, range));
    EXPECT_FALSE(FitsSizeRange(ScreenSize{600, 159, 1, 1}, range));
}

// Devices as XIQueryDevice describes them: valuators 0 and 1 in the given
// modes, and a touch class when touchMode is not 0.
TEST(TurnPlan, OnlyAbsolutePointersFollowThePicture) {
    struct Case {
        const char* name;
        int use, xMode, yMode, touchMode;
        bool follows;
    };
    const int absolute = XIModeAbsolute, relative = XIModeRelative;
    const Case cases[] = {
        {"touchscreen", XISlavePointer, absolute, absolute, XIDirectTouch, true},
        {"floating tablet", XIFloatingSlave, absolute, absolute, 0, true},
        {"mouse", XISlavePointer, relative, relative, 0, false},
        {"touchpad", XISlavePointer, absolute, absolute, XIDependentTouch, false},
        {"one axis absolute", XISlavePointer, absolute, relative, 0, false},
        {"master pointer", XIMasterPointer, absolute, absolute, 0, false},
        {"keyboard", XISlaveKeyboard, absolute, absolute, 0, false},
    };
    for (const Case& test : cases) {
        XIValuatorClassInfo x{XIValuatorClass, 0, 0, 0, 0, 0, 0, 0, test.xMode};
        XIValuatorClassInfo y{XIValuatorClass, 0, 1, 0, 0, 0, 0, 0, test.yMode};
        XITouchClassInfo touch{XITouchClass, 0, test.touchMode, 0};
        XIAnyClassInfo* classes[] = {reinterpret_cast<XIAnyClassInfo*>(&x),
                                     reinterpret_cast<XIAnyClassInfo*>(&y),
                                     reinterpret_cast<XIAnyClassInfo*>(&touch)};
        XIDeviceInfo device{};
        device.use = test.use;
        device.classes = classes;
        device.num_classes = test.touchMode != 0 ? 3 : 2;
        EXPECT_EQ(test.follows, IsAbsolutePointer(device)) << test.name;
    }
}

} // namespace
