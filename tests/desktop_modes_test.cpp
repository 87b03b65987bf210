#include "platform/win32/desktop_modes.h"

#include <gtest/gtest.h>

namespace {

const DesktopMode kLandscape = {800, 480, 0};
const DesktopMode kTurnedRight = {480, 800, 3};

TEST(DesktopModes, PlanTurnSwapsSizeOnlyAcrossPortraitAndLandscape) {
    struct Case {
        DesktopMode current;
        Uint32 code;
        DesktopMode target;
    };
    const Case cases[] = {
        {kLandscape, 0, {800, 480, 0}},   {kLandscape, 1, {480, 800, 1}},
        {kLandscape, 2, {800, 480, 2}},   {kLandscape, 4, {480, 800, 3}},
        {kTurnedRight, 0, {800, 480, 0}}, {kTurnedRight, 1, {480, 800, 1}},
        {kTurnedRight, 2, {800, 480, 2}}, {kTurnedRight, 4, {480, 800, 3}},
    };
    for (const Case& test : cases) {
        DesktopMode target = {};
        ASSERT_TRUE(PlanTurn(test.current, test.code, &target)) << test.code;
        EXPECT_EQ(test.target.width, target.width) << test.code;
        EXPECT_EQ(test.target.height, target.height) << test.code;
        EXPECT_EQ(test.target.orientation, target.orientation) << test.code;
    }
}

TEST(DesktopModes, PlanTurnRefusesWhatNamesNoOrientation) {
    DesktopMode target = {7, 7, 7};
    for (const Uint32 code : {3u, 5u, 8u, 0xFFFFFF9Cu}) {
        EXPECT_FALSE(PlanTurn(kLandscape, code, &target)) << code;
    }
    const DesktopMode unknown = {800, 480, 4};
    EXPECT_FALSE(PlanTurn(unknown, 0, &target));
    EXPECT_EQ(7u, target.width);
}

TEST(DesktopModes, OfferedOrientationsAreTheRotatedModesAtTheCurrentResolution) {
    struct Case {
        DesktopMode current, listed;
        Uint32 offered;
    };
    const Case cases[] = {
        {kLandscape, {800, 480, 0}, 0},   {kLandscape, {480, 800, 1}, 1},
        {kLandscape, {800, 480, 2}, 2},   {kLandscape, {480, 800, 3}, 4},
        {kLandscape, {800, 480, 1}, 0},   {kLandscape, {480, 800, 2}, 0},
        {kLandscape, {1024, 768, 2}, 0},  {kLandscape, {480, 800, 4}, 0},
        {kTurnedRight, {800, 480, 0}, 0}, {kTurnedRight, {480, 800, 1}, 1},
        {kTurnedRight, {800, 480, 2}, 2}, {kTurnedRight, {480, 800, 3}, 4},
        {kTurnedRight, {480, 800, 0}, 0},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(test.offered, OfferedOrientation(test.current, test.listed))
            << test.listed.width << "x" << test.listed.height << " " << test.listed.orientation;
    }
}

TEST(DesktopModes, OnlyTheNormalModeMeansNoRotation) {
    const DesktopMode listed[] = {{800, 480, 0}, {640, 480, 0}, {1024, 768, 0}};
    Uint32 supported = 0;
    for (const DesktopMode& mode : listed) {
        supported |= OfferedOrientation(kLandscape, mode);
    }
    EXPECT_EQ(0u, supported);
}

} // namespace
