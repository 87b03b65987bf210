#include "orientation/orientation_table.h"

#include <gtest/gtest.h>

namespace {

struct Point {
    float x, y;
};

// Where the picture's top-left, top-right and bottom-left corners lie on the
// panel once turned counter-clockwise: the touch matrix must take a touch
// there back onto them.
TEST(OrientationTable, TouchMatrixTakesThePanelToThePicture) {
    struct Case {
        Uint32 code;
        Point panel[3];
    };
    const Case cases[] = {
        {0, {{0, 0}, {1, 0}, {0, 1}}},
        {1, {{0, 1}, {0, 0}, {1, 1}}},
        {2, {{1, 1}, {0, 1}, {1, 0}}},
        {4, {{1, 0}, {1, 1}, {0, 0}}},
    };
    const Point picture[] = {{0, 0}, {1, 0}, {0, 1}};
    for (const Case& test : cases) {
        const float* m = FindOrientationByCode(test.code)->touchMatrix;
        for (int i = 0; i < 3; ++i) {
            const Point& p = test.panel[i];
            EXPECT_EQ(picture[i].x, m[0] * p.x + m[1] * p.y + m[2]) << test.code << i;
            EXPECT_EQ(picture[i].y, m[3] * p.x + m[4] * p.y + m[5]) << test.code << i;
        }
        EXPECT_EQ(1, m[8]);
    }
}

} // namespace
