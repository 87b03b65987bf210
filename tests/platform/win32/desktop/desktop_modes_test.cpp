// Desktop Windows' display modes from the orientation table.
#include "platform/win32/desktop/desktop_modes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const DesktopMode kLandscape = {800, 480, 0};
const DesktopMode kTurnedRight = {480, 800, 3};

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
        EXPECT_EQ(std::tie(expected.width, expected.height, expected.orientation),
                  std::tie(target.width, target.height, target.orientation))
            << current.orientation << " to " << code;
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
