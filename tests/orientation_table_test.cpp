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
