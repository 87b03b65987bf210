#include "platform/x11/display/turn_plan.h"

#include <gtest/gtest.h>
#include <xcb/randr.h>

#include <tuple>
#include <vector>

namespace {

std::tuple<int, int, int, int> Fields(const ScreenSize& size) {
    return std::make_tuple(size.width, size.height, size.mmWidth, size.mmHeight);
}

std::vector<std::tuple<int, int, int, int>> Fields(const std::vector<CrtcArea>& areas) {
    std::vector<std::tuple<int, int, int, int>> fields;
    for (const CrtcArea& a : areas) {
        fields.emplace_back(a.x, a.y, a.width, a.height);
    }
    return fields;
}

// A reflection neither hides a display's orientation nor is lost by a turn.
TEST(TurnPlan, ReflectionsStandApartFromOrientations) {
    const Uint16 reflected = XCB_RANDR_ROTATION_REFLECT_X | XCB_RANDR_ROTATION_REFLECT_Y;
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
    EXPECT_EQ(nullptr, OrientationOf(XCB_RANDR_ROTATION_ROTATE_0 | XCB_RANDR_ROTATION_ROTATE_90));
}

// No server here turns with two CRTCs: the layout is checked alone.
TEST(TurnPlan, NeighboursFollowTheTurnedEdgesAndTheScreenHoldsThemAll) {
    const struct {
        ScreenSize screen;
        std::vector<CrtcArea> areas; // the first one turns
        bool swap;
        std::vector<CrtcArea> placed;
        ScreenSize size;
    } cases[] = {
        // A quarter turn swaps pixels and millimetres, a half turn keeps them.
        {{800, 600, 271, 203}, {{0, 0, 800, 600}}, true, {{0, 0, 600, 800}}, {600, 800, 203, 271}},
        {{800, 600, 271, 203}, {{0, 0, 800, 600}}, false, {{0, 0, 800, 600}}, {800, 600, 271, 203}},
        // Larger than its CRTC, the screen shrinks to it; no millimetres
        // known: 96 pixels per inch.
        {{1000, 700, 250, 175}, {{0, 0, 800, 600}}, true, {{0, 0, 600, 800}}, {600, 800, 150, 200}},
        {{800, 600, 0, 0}, {{0, 0, 800, 600}}, true, {{0, 0, 600, 800}}, {600, 800, 159, 212}},
        // Right and bottom neighbours follow, shrinking or growing, along a
        // chain of them.
        {{1824, 768, 480, 200},
         {{0, 0, 800, 600}, {800, 0, 1024, 768}},
         true,
         {{0, 0, 600, 800}, {600, 0, 1024, 768}},
         {1624, 800, 427, 208}},
        {{1624, 800, 427, 208},
         {{0, 0, 600, 800}, {600, 0, 1024, 768}},
         true,
         {{0, 0, 800, 600}, {800, 0, 1024, 768}},
         {1824, 768, 480, 200}},
        {{800, 1200, 200, 300},
         {{0, 0, 800, 600}, {0, 600, 800, 600}},
         true,
         {{0, 0, 600, 800}, {0, 800, 800, 600}},
         {800, 1400, 200, 350}},
        {{2400, 600, 600, 150},
         {{0, 0, 800, 600}, {800, 0, 800, 600}, {1600, 0, 800, 600}},
         true,
         {{0, 0, 600, 800}, {600, 0, 800, 600}, {1400, 0, 800, 600}},
         {2200, 800, 550, 200}},
        // Left of it, a corner away, or apart: they keep their place.
        {{160, 60, 40, 15},
         {{80, 0, 80, 60}, {0, 0, 80, 60}, {160, 60, 80, 60}, {170, 0, 10, 10}},
         true,
         {{80, 0, 60, 80}, {0, 0, 80, 60}, {160, 60, 80, 60}, {170, 0, 10, 10}},
         {240, 120, 60, 30}},
    };
    for (const auto& test : cases) {
        const int count = static_cast<int>(test.areas.size());
        std::vector<CrtcArea> placed(count);
        TurnedLayout(test.areas.data(), count, 0, test.swap, placed.data());
        EXPECT_EQ(Fields(test.placed), Fields(placed)) << &test - cases;
        EXPECT_EQ(Fields(test.size), Fields(ScreenHolding(test.screen, placed.data(), count)))
            << &test - cases;
    }
}

} // namespace
