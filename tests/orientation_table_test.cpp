#include "platform/orientation_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Point {
    float x, y;
};

// Each code's values, and where the picture's top-left, top-right and
// bottom-left corners are on the panel once turned counter-clockwise: the
// touch matrix must take a touch there onto them.
TEST(OrientationTable, MapsEveryCodeOneWayRound) {
    struct Case {
        Uint32 code, desktop;
        Uint16 randr;
        std::string name;
        bool quarter;
        Point panel[3];
    };
    const Case cases[] = {
        {0, 0, 1, "normal", false, {{0, 0}, {1, 0}, {0, 1}}},
        {1, 1, 2, "left", true, {{0, 1}, {0, 0}, {1, 1}}},
        {2, 2, 4, "inverted", false, {{1, 1}, {0, 1}, {1, 0}}},
        {4, 3, 8, "right", true, {{1, 0}, {1, 1}, {0, 0}}},
    };
    const Point picture[] = {{0, 0}, {1, 0}, {0, 1}};
    for (const Case& test : cases) {
        const OrientationEntry* entry = FindOrientationByCode(test.code);
        ASSERT_NE(nullptr, entry) << test.code;
        EXPECT_EQ(test.desktop, entry->desktopCode);
        EXPECT_EQ(test.randr, entry->randrRotation);
        EXPECT_EQ(test.name, entry->xrandrName);
        EXPECT_EQ(test.quarter, entry->quarterTurn);
        EXPECT_EQ(entry, FindOrientationByDesktopCode(test.desktop));
        EXPECT_EQ(entry, FindOrientationByRandrRotation(test.randr));
        const float* m = entry->touchMatrix;
        for (int i = 0; i < 3; ++i) {
            const Point& p = test.panel[i];
            EXPECT_EQ(picture[i].x, m[0] * p.x + m[1] * p.y + m[2]) << test.name << i;
            EXPECT_EQ(picture[i].y, m[3] * p.x + m[4] * p.y + m[5]) << test.name << i;
        }
        EXPECT_EQ(0, m[6]);
        EXPECT_EQ(0, m[7]);
        EXPECT_EQ(1, m[8]);
    }
}

TEST(OrientationTable, NamesNothingElse) {
    for (const Uint32 value : {3u, 5u, 8u, 0xFFFFFFFFu}) {
        EXPECT_EQ(nullptr, FindOrientationByCode(value)) << value;
    }
    EXPECT_EQ(nullptr, FindOrientationByDesktopCode(4));
    for (const Uint16 value : {0, 3, 16}) {
        EXPECT_EQ(nullptr, FindOrientationByRandrRotation(value)) << value;
    }
}

} // namespace
