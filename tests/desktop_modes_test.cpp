#include "platform/win32/desktop/desktop_modes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const DesktopMode kLandscape = {800, 480, 0};
const DesktopMode kTurnedRight = {480, 800, 3};

std::tuple<Uint32, Uint32, Uint32> Fields(const DesktopMode& mode) {
    return std::make_tuple(mode.width, mode.height, mode.orientation);
}

// Orientation code -> desktop mode; CE's 270 (4) is the desktop's DMDO_270 (3).
TEST(DesktopModes, PlanTurnSwapsSizeOnlyAcrossPortraitAndLandscape) {
    const struct {
        Uint32 code;
        DesktopMode target;
    } turns[] = {{0, {800, 480, 0}}, {1, {480, 800, 1}}, {2, {800, 480, 2}}, {4, {480, 800, 3}}};
    for (const DesktopMode& current : {kLandscape, kTurnedRight}) {
        for (const auto& turn : turns) {
            DesktopMode target = {};
            ASSERT_TRUE(PlanTurn(current, turn.code, &target)) << turn.code;
            EXPECT_EQ(Fields(turn.target), Fields(target)) << current.orientation << turn.code;
        }
    }
}

TEST(DesktopModes, PlanTurnRefusesWhatNamesNoOrientation) {
    DesktopMode target = {7, 7, 7};
    for (const Uint32 code : {3u, 5u, 8u}) {
        EXPECT_FALSE(PlanTurn(kLandscape, code, &target)) << code;
    }
    EXPECT_FALSE(PlanTurn({800, 480, 4}, 0, &target));
    EXPECT_EQ(Fields({7, 7, 7}), Fields(target));
}

// Rotated modes are listed with width and height swapped.
TEST(DesktopModes, OfferedOrientationsAreTheRotatedModesAtTheCurrentResolution) {
    const struct {
        DesktopMode current, listed;
        Uint32 offered;
    } cases[] = {
        {kLandscape, {480, 800, 1}, 1},   {kLandscape, {800, 480, 2}, 2},
        {kLandscape, {480, 800, 3}, 4},   {kLandscape, {800, 480, 1}, 0},
        {kLandscape, {480, 800, 2}, 0},   {kLandscape, {640, 480, 2}, 0},
        {kLandscape, {800, 600, 2}, 0},   {kLandscape, {480, 800, 4}, 0},
        {kTurnedRight, {800, 480, 2}, 2}, {kTurnedRight, {480, 800, 0}, 0},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(test.offered, OfferedOrientation(test.current, test.listed)) << &test - cases;
    }
}

} // namespace
