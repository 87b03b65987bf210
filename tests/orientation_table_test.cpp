#include "platform/orientation_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OrientationTable, MapsEveryCodeOneWayRound) {
    struct Case {
        Uint32 code, desktop;
        Uint16 randr;
        std::string name;
        bool quarter;
    };
    const Case cases[] = {
        {0, 0, 1, "normal", false},
        {1, 1, 2, "left", true},
        {2, 2, 4, "inverted", false},
        {4, 3, 8, "right", true},
    };
    for (const Case& test : cases) {
        const OrientationEntry* entry = FindOrientationByCode(test.code);
        ASSERT_NE(nullptr, entry) << test.code;
        EXPECT_EQ(test.desktop, entry->desktopCode);
        EXPECT_EQ(test.randr, entry->randrRotation);
        EXPECT_EQ(test.name, entry->xrandrName);
        EXPECT_EQ(test.quarter, entry->quarterTurn);
        EXPECT_EQ(entry, FindOrientationByDesktopCode(test.desktop));
        EXPECT_EQ(entry, FindOrientationByRandrRotation(test.randr));
    }
}

// Where the picture's top-left, top-right and bottom-left corners are on
// the panel once turned counter-clockwise: a touch there must land on them.
TEST(OrientationTable, TouchMatrixTakesThePanelToThePicture) {
    struct Point {
        float x, y;
    };
    struct Case {
        Uint32 code;
        Point topLeft, topRight, bottomLeft;
    };
    const Case cases[] = {
        {0, {0, 0}, {1, 0}, {0, 1}},
        {1, {0, 1}, {0, 0}, {1, 1}},
        {2, {1, 1}, {0, 1}, {1, 0}},
        {4, {1, 0}, {1, 1}, {0, 0}},
    };
    const Point picture[] = {{0, 0}, {1, 0}, {0, 1}};
    for (const Case& test : cases) {
        const float* m = FindOrientationByCode(test.code)->touchMatrix;
        const Point panel[] = {test.topLeft, test.topRight, test.bottomLeft};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(picture[i].x, m[0] * panel[i].x + m[1] * panel[i].y + m[2]) << test.code;
            EXPECT_EQ(picture[i].y, m[3] * panel[i].x + m[4] * panel[i].y + m[5]) << test.code;
        }
        EXPECT_EQ(0, m[6]);
        EXPECT_EQ(0, m[7]);
        EXPECT_EQ(1, m[8]);
    }
}

TEST(OrientationTable, NamesNothingElse) {
    for (const Uint32 value : {3u, 5u, 8u, 16u, 0xFFFFFF9Cu, 0xFFFFFFFFu}) {
        EXPECT_EQ(nullptr, FindOrientationByCode(value)) << value;
    }
    for (const Uint32 value : {4u, 0xFFFFFFFFu}) {
        EXPECT_EQ(nullptr, FindOrientationByDesktopCode(value)) << value;
    }
    for (const Uint16 value : {0, 3, 16, 0x11}) {
        EXPECT_EQ(nullptr, FindOrientationByRandrRotation(value)) << value;
    }
}

} // namespace
