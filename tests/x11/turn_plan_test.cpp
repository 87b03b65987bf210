// Before Xlib, whose macros (None, Bool, ...) clash with gtest's names.
#include <gtest/gtest.h>

#include "platform/x11/display/turn_plan.h"

#include <X11/extensions/Xrandr.h>

#include <tuple>
#include <vector>

namespace {

std::tuple<int, int, int, int> Fields(const ScreenSize& size) {
    return std::make_tuple(size.width, size.height, size.mmWidth, size.mmHeight);
}

// A reflection neither hides a display's orientation nor is lost by a turn.
TEST(TurnPlan, ReflectionsStandApartFromOrientations) {
    const Uint16 reflected = RR_Reflect_X | RR_Reflect_Y;
    const OrientationEntry& left = *FindOrientationByCode(kOrientation90);
    for (const Uint32 code : {kOrientation0, kOrientation90, kOrientation180, kOrientation270}) {
        const Uint16 rotation = FindOrientationByCode(code)->randrRotation | reflected;
        ASSERT_NE(nullptr, OrientationOf(rotation)) << code;
        EXPECT_EQ(code, OrientationOf(rotation)->code);
        EXPECT_EQ(code, OrientationSetOf(rotation)); // code 0 is no bit of a set
        EXPECT_EQ(left.randrRotation | reflected, TurnedRotation(rotation, left));
    }
    EXPECT_EQ(kOrientation90 | kOrientation180 | kOrientation270,
              OrientationSetOf(0x0F | reflected));
    EXPECT_EQ(nullptr, OrientationOf(RR_Rotate_0 | RR_Rotate_90));
}

TEST(TurnPlan, ScreenHoldsEveryCrtcOnceTurned) {
    const struct {
        ScreenSize screen;
        std::vector<CrtcArea> areas; // the last one turns
        bool swap;
        ScreenSize expected;
    } cases[] = {
        // A quarter turn swaps pixels and millimetres, a half turn keeps them.
        {{800, 600, 271, 203}, {{0, 0, 800, 600}}, true, {600, 800, 203, 271}},
        {{800, 600, 271, 203}, {{0, 0, 800, 600}}, false, {800, 600, 271, 203}},
        // Larger than its CRTC, the screen shrinks to it.
        {{1000, 700, 250, 175}, {{0, 0, 800, 600}}, true, {600, 800, 150, 200}},
        // No millimetres known: 96 pixels per inch.
        {{800, 600, 0, 0}, {{0, 0, 800, 600}}, true, {600, 800, 159, 212}},
        // A CRTC left of or above the turned one keeps its place.
        {{160, 60, 40, 15}, {{0, 0, 80, 60}, {80, 0, 80, 60}}, true, {140, 80, 35, 20}},
        {{80, 120, 20, 30}, {{0, 0, 80, 60}, {0, 60, 80, 60}}, true, {80, 140, 20, 35}},
    };
    for (const auto& test : cases) {
        const int count = static_cast<int>(test.areas.size());
        const ScreenSize size =
            TurnedScreenSize(test.screen, test.areas.data(), count, count - 1, test.swap);
        EXPECT_EQ(Fields(test.expected), Fields(size)) << &test - cases;
    }
}

} // namespace
