// The orientation table as XInput reads it, and as the shape at code 0 of a turned display does.
#include "orientation/orientation_table.h"

#include <gtest/gtest.h>

namespace {

// Where the picture's top-left, top-right and bottom-left corners (x, y) lie on the panel at
// each turn, the first none: the touch matrix must take a touch there back onto them.
TEST(OrientationTable, TouchMatrixTakesThePanelToThePicture) {
    const Uint32 codes[] = {kOrientation0, kOrientation90, kOrientation180, kOrientation270};
    const float panel[][6] = {
        {0, 0, 1, 0, 0, 1}, {0, 1, 0, 0, 1, 1}, {1, 1, 0, 1, 1, 0}, {1, 0, 1, 1, 0, 0}};
    for (int c = 0; c < 4; ++c) {
        const float* m = FindOrientationByCode(codes[c])->touchMatrix;
        for (int i = 0; i < 6; i += 2) {
            const float x = panel[c][i], y = panel[c][i + 1];
            EXPECT_EQ(panel[0][i], m[0] * x + m[1] * y + m[2]) << codes[c] << i;
            EXPECT_EQ(panel[0][i + 1], m[3] * x + m[4] * y + m[5]) << codes[c] << i;
        }
        EXPECT_EQ(1, m[8]);
    }
}

TEST(OrientationTable, DefaultShapeTakesBackTheTurn) {
    const int cases[][4] = {{800, 480, 0, kShapeWide},  {480, 800, 1, kShapeWide},
                            {480, 800, 2, kShapeTall},  {600, 600, 4, kShapeSquare},
                            {0, 480, 0, kShapeUnknown}, {800, 480, 3, kShapeUnknown}};
    for (const auto& c : cases) {
        EXPECT_EQ(c[3], DefaultShapeOf(c[0], c[1], FindOrientationByCode(c[2]))) << c[0] << c[2];
    }
}

} // namespace
