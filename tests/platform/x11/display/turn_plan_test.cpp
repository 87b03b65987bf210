#include "platform/x11/display/turn_plan.h"

#include <gtest/gtest.h>
#include <xcb/randr.h>

#include <vector>

namespace {

// A reflection neither hides a display's orientation nor is lost by a turn.
TEST(TurnPlan, ReflectionsStandApartFromOrientations) {
    const Uint16 reflected = XCB_RANDR_ROTATION_REFLECT_X | XCB_RANDR_ROTATION_REFLECT_Y;
    const OrientationEntry& left = *FindOrientationByCode(kOrientation90);
    for (const Uint32 code : {kOrientation0, kOrientation90, kOrientation180, kOrientation270}) {
        const Uint16 rotation = FindOrientationByCode(code)->randrRotation | reflected;
        EXPECT_EQ(FindOrientationByCode(code), OrientationOf(rotation)) << code;
        EXPECT_EQ(code, OrientationSetOf(rotation)); // code 0 is no bit of a set
        EXPECT_EQ(left.randrRotation | reflected, TurnedRotation(rotation, left));
    }
    EXPECT_EQ(kOrientation90 | kOrientation180 | kOrientation270,
              OrientationSetOf(0x0F | reflected));
    EXPECT_EQ(nullptr, OrientationOf(XCB_RANDR_ROTATION_ROTATE_0 | XCB_RANDR_ROTATION_ROTATE_90));
}

// The screen's fields, then each area's.
std::vector<int> Fields(const ScreenSize& s, const std::vector<CrtcArea>& areas) {
    std::vector<int> fields = {s.width, s.height, s.mmWidth, s.mmHeight};
    for (const CrtcArea& a : areas) {
        fields.insert(fields.end(), {a.x, a.y, a.width, a.height});
    }
    return fields;
}

// The screen holding them all once the first of areas has turned, and where each then shows.
std::vector<int> Turned(const ScreenSize& screen, std::vector<CrtcArea> areas, bool swap = true) {
    const int count = static_cast<int>(areas.size());
    std::vector<CrtcArea> placed(count);
    TurnedLayout(areas.data(), count, 0, swap, placed.data());
    return Fields(ScreenHolding(screen, placed.data(), count), placed);
}

TEST(TurnPlan, TheScreenHoldsEveryCrtcWhereTheTurnPlacesIt) {
    // A quarter turn swaps pixels and millimetres, a half turn keeps them.
    EXPECT_EQ(Fields({600, 800, 203, 271}, {{0, 0, 600, 800}}),
              Turned({800, 600, 271, 203}, {{0, 0, 800, 600}}));
    EXPECT_EQ(Fields({800, 600, 271, 203}, {{0, 0, 800, 600}}),
              Turned({800, 600, 271, 203}, {{0, 0, 800, 600}}, false));
    // Larger than its CRTC, the screen shrinks to it; no millimetres known: 96 pixels per inch.
    EXPECT_EQ(Fields({600, 800, 150, 200}, {{0, 0, 600, 800}}),
              Turned({1000, 700, 250, 175}, {{0, 0, 800, 600}}));
    EXPECT_EQ(Fields({600, 800, 159, 212}, {{0, 0, 600, 800}}),
              Turned({800, 600, 0, 0}, {{0, 0, 800, 600}}));
}

} // namespace
