// The orientation table as the platforms read it: XInput's touch matrices
// and desktop Windows' display modes.
#include "orientation/orientation_table.h"
#include "platform/win32/desktop/desktop_modes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Where the picture's top-left, top-right and bottom-left corners (x, y) lie
// on the panel once turned counter-clockwise: the touch matrix must take a
// touch there back onto them.
TEST(OrientationTable, TouchMatrixTakesThePanelToThePicture) {
    const Uint32 codes[] = {kOrientation0, kOrientation90, kOrientation180, kOrientation270};
    const float picture[6] = {0, 0, 1, 0, 0, 1};
    const float panel[][6] = {
        {0, 0, 1, 0, 0, 1}, {0, 1, 0, 0, 1, 1}, {1, 1, 0, 1, 1, 0}, {1, 0, 1, 1, 0, 0}};
    for (int c = 0; c < 4; ++c) {
        const float* m = FindOrientationByCode(codes[c])->touchMatrix;
        for (int i = 0; i < 6; i += 2) {
            const float x = panel[c][i], y = panel[c][i + 1];
            EXPECT_EQ(picture[i], m[0] * x + m[1] * y + m[2]) << codes[c] << i;
            EXPECT_EQ(picture[i + 1], m[3] * x + m[4] * y + m[5]) << codes[c] << i;
        }
        EXPECT_EQ(1, m[8]);
    }
}

const DesktopMode kLandscape = {800, 480, 0};
const DesktopMode kTurnedRight = {480, 800, 3};

std::tuple<Uint32, Uint32, Uint32> Fields(const DesktopMode& mode) {
    return std::make_tuple(mode.width, mode.height, mode.orientation);
}

// Orientation code -> desktop mode; CE's 270 (4) is the desktop's DMDO_270
// (3). What names no orientation is refused, the target left as it was.
TEST(DesktopModes, PlanTurnSwapsSizeOnlyAcrossPortraitAndLandscape) {
    const DesktopMode untouched = {7, 7, 7};
    const std::tuple<DesktopMode, Uint32, bool, DesktopMode> cases[] = {
        {kLandscape, 0, true, {800, 480, 0}},   {kLandscape, 1, true, {480, 800, 1}},
        {kLandscape, 2, true, {800, 480, 2}},   {kLandscape, 4, true, {480, 800, 3}},
        {kTurnedRight, 0, true, {800, 480, 0}}, {kTurnedRight, 2, true, {800, 480, 2}},
        {kTurnedRight, 4, true, {480, 800, 3}}, {kLandscape, 3, false, untouched},
        {kLandscape, 5, false, untouched},      {{800, 480, 4}, 0, false, untouched}};
    for (const auto& [current, code, planned, expected] : cases) {
        DesktopMode target = untouched;
        EXPECT_EQ(planned, PlanTurn(current, code, &target))
            << current.orientation << " to " << code;
        EXPECT_EQ(Fields(expected), Fields(target)) << current.orientation << " to " << code;
    }
}

// Rotated modes are listed with width and height swapped.
TEST(DesktopModes, OfferedOrientationsAreTheRotatedModesAtTheCurrentResolution) {
    const std::tuple<DesktopMode, DesktopMode, Uint32> cases[] = {
        {kLandscape, {480, 800, 1}, 1},   {kLandscape, {800, 480, 2}, 2},
        {kLandscape, {480, 800, 3}, 4},   {kLandscape, {800, 480, 1}, 0},
        {kLandscape, {480, 800, 2}, 0},   {kLandscape, {640, 480, 2}, 0},
        {kLandscape, {800, 600, 2}, 0},   {kLandscape, {480, 800, 4}, 0},
        {kTurnedRight, {800, 480, 2}, 2}, {kTurnedRight, {480, 800, 1}, 1}};
    for (const auto& [current, listed, offered] : cases) {
        EXPECT_EQ(offered, OfferedOrientation(current, listed))
            << listed.width << "x" << listed.height << " at " << listed.orientation;
    }
}

} // namespace
