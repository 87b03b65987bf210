// Before Xlib, whose macros (None, Bool, ...) clash with gtest's names.
#include <gtest/gtest.h>

#include "platform/x11/turn_plan.h"

#include <X11/extensions/Xrandr.h>

#include <vector>

namespace {

TEST(TurnPlan, OrientationSetHasTheCodesOfTheTurnsOffered) {
    struct Case {
        Uint16 rotations;
        Uint32 set;
    };
    const Case cases[] = {
        {RR_Rotate_0, 0},
        {RR_Rotate_0 | RR_Reflect_X | RR_Reflect_Y, 0},
        {RR_Rotate_0 | RR_Rotate_90, CE_DMDO_90},
        {RR_Rotate_0 | RR_Rotate_180, CE_DMDO_180},
        {RR_Rotate_270, CE_DMDO_270},
        {RR_Rotate_0 | RR_Rotate_90 | RR_Rotate_180 | RR_Rotate_270 | RR_Reflect_X,
         CE_DMDO_90 | CE_DMDO_180 | CE_DMDO_270},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(test.set, OrientationSetOf(test.rotations)) << test.rotations;
    }
}

TEST(TurnPlan, OrientationOfARotationIgnoresReflections) {
    struct Case {
        Uint16 rotation;
        Uint32 code;
    };
    const Case cases[] = {
        {RR_Rotate_0, CE_DMDO_0},
        {RR_Rotate_90 | RR_Reflect_X, CE_DMDO_90},
        {RR_Rotate_180 | RR_Reflect_X | RR_Reflect_Y, CE_DMDO_180},
        {RR_Rotate_270 | RR_Reflect_Y, CE_DMDO_270},
    };
    for (const Case& test : cases) {
        const OrientationEntry* entry = OrientationOf(test.rotation);
        ASSERT_NE(nullptr, entry) << test.rotation;
        EXPECT_EQ(test.code, entry->code);
    }
    for (const Uint16 rotation : {0, RR_Reflect_X, RR_Rotate_0 | RR_Rotate_90}) {
        EXPECT_EQ(nullptr, OrientationOf(rotation)) << rotation;
    }
}

TEST(TurnPlan, TurnedRotationKeepsReflections) {
    const OrientationEntry& left = *FindOrientationByCode(CE_DMDO_90);
    const OrientationEntry& normal = *FindOrientationByCode(CE_DMDO_0);
    EXPECT_EQ(RR_Rotate_90, TurnedRotation(RR_Rotate_180, left));
    EXPECT_EQ(RR_Rotate_90 | RR_Reflect_X, TurnedRotation(RR_Rotate_0 | RR_Reflect_X, left));
    EXPECT_EQ(RR_Rotate_0 | RR_Reflect_X | RR_Reflect_Y,
              TurnedRotation(RR_Rotate_270 | RR_Reflect_X | RR_Reflect_Y, normal));
}

TEST(TurnPlan, ScreenHoldsEveryCrtcOnceTurned) {
    struct Case {
        const char* name;
        ScreenSize screen;
        std::vector<CrtcArea> areas;
        int turned;
        bool swap;
        ScreenSize expected;
    };
    const Case cases[] = {
        {"quarter turn swaps pixels and millimetres",
         {800, 600, 271, 203},
         {{0, 0, 800, 600}},
         0,
         true,
         {600, 800, 203, 271}},
        {"half turn keeps the screen",
         {800, 600, 271, 203},
         {{0, 0, 800, 600}},
         0,
         false,
         {800, 600, 271, 203}},
        {"a CRTC beside it keeps its place",
         {2048, 768, 542, 203},
         {{0, 0, 1024, 768}, {1024, 0, 1024, 768}},
         1,
         true,
         {1792, 1024, 474, 271}},
        {"the lower CRTC turned",
         {1024, 1536, 271, 406},
         {{0, 0, 1024, 768}, {0, 768, 1024, 768}},
         1,
         true,
         {1024, 1792, 271, 474}},
        {"a screen larger than its CRTC shrinks to it",
         {1000, 700, 250, 175},
         {{0, 0, 800, 600}},
         0,
         true,
         {600, 800, 150, 200}},
        {"no millimetres known: 96 pixels per inch",
         {800, 600, 0, 0},
         {{0, 0, 800, 600}},
         0,
         true,
         {600, 800, 159, 212}},
    };
    for (const Case& test : cases) {
        const ScreenSize size =
            TurnedScreenSize(test.screen, test.areas.data(), static_cast<int>(test.areas.size()),
                             test.turned, test.swap);
        EXPECT_EQ(test.expected.width, size.width) << test.name;
        EXPECT_EQ(test.expected.height, size.height) << test.name;
        EXPECT_EQ(test.expected.mmWidth, size.mmWidth) << test.name;
        EXPECT_EQ(test.expected.mmHeight, size.mmHeight) << test.name;
    }
}

TEST(TurnPlan, SizeRangeBoundsAreInclusive) {
    const SizeRange range{160, 160, 1600, 1200};
    struct Case {
        int width, height;
        bool fits;
    };
    const Case cases[] = {
        {160, 160, true},  {1600, 1200, true}, {1200, 1600, false}, {600, 800, true},
        {159, 600, false}, {600, 159, false},  {1601, 1200, false}, {1600, 1201, false},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(test.fits, FitsSizeRange(ScreenSize{test.width, test.height, 1, 1}, range))
            << test.width << "x" << test.height;
    }
}

// A device as XIQueryDevice describes it: valuators 0 and 1 in the given
// modes, and a touch class when touchMode is not 0.
struct FakeDevice {
    XIValuatorClassInfo x{}, y{};
    XITouchClassInfo touch{};
    XIAnyClassInfo* classes[3]{};
    XIDeviceInfo info{};

    FakeDevice(int use, int xMode, int yMode, int touchMode) {
        x.type = y.type = XIValuatorClass;
        x.number = 0, y.number = 1;
        x.mode = xMode, y.mode = yMode;
        touch.type = XITouchClass;
        touch.mode = touchMode;
        classes[0] = reinterpret_cast<XIAnyClassInfo*>(&x);
        classes[1] = reinterpret_cast<XIAnyClassInfo*>(&y);
        classes[2] = reinterpret_cast<XIAnyClassInfo*>(&touch);
        info.use = use;
        info.classes = classes;
        info.num_classes = touchMode != 0 ? 3 : 2;
    }
};

TEST(TurnPlan, OnlyAbsolutePointersFollowThePicture) {
    struct Case {
        const char* name;
        int use, xMode, yMode, touchMode;
        bool follows;
    };
    const Case cases[] = {
        {"touchscreen", XISlavePointer, XIModeAbsolute, XIModeAbsolute, XIDirectTouch, true},
        {"tablet", XISlavePointer, XIModeAbsolute, XIModeAbsolute, 0, true},
        {"floating tablet", XIFloatingSlave, XIModeAbsolute, XIModeAbsolute, 0, true},
        {"mouse", XISlavePointer, XIModeRelative, XIModeRelative, 0, false},
        {"touchpad", XISlavePointer, XIModeAbsolute, XIModeAbsolute, XIDependentTouch, false},
        {"one axis absolute", XISlavePointer, XIModeAbsolute, XIModeRelative, 0, false},
        {"master pointer", XIMasterPointer, XIModeAbsolute, XIModeAbsolute, 0, false},
        {"keyboard", XISlaveKeyboard, XIModeAbsolute, XIModeAbsolute, 0, false},
    };
    for (const Case& test : cases) {
        const FakeDevice device(test.use, test.xMode, test.yMode, test.touchMode);
        EXPECT_EQ(test.follows, IsAbsolutePointer(device.info)) << test.name;
    }
}

} // namespace
