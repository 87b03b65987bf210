// The shape at code 0 of a display, whatever turn it shows.
#include "orientation/orientation_table.h"

#include <gtest/gtest.h>

namespace {

TEST(OrientationTable, DefaultShapeTakesBackTheTurn) {
    const int cases[][4] = {{800, 480, 0, kShapeWide},  {480, 800, 1, kShapeWide},
                            {480, 800, 2, kShapeTall},  {600, 600, 4, kShapeSquare},
                            {0, 480, 0, kShapeUnknown}, {800, 480, 3, kShapeUnknown}};
    for (const auto& c : cases) {
        EXPECT_EQ(c[3], DefaultShapeOf(c[0], c[1], FindOrientationByCode(c[2]))) << c[0] << c[2];
    }
}

} // namespace
