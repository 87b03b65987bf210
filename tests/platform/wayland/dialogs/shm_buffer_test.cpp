#include "platform/wayland/dialogs/shm_buffer.h"

#include <gtest/gtest.h>

#include <limits.h>

// A compositor's word sizes the buffer: no size it sends may overflow one.
TEST(ShmBuffer, SizeIsScaledAndRefusedWhenItCannotBeABuffer) {
    struct Row {
        int width, height, scale;
        bool fits;
        int pixelWidth, pixelHeight;
    };
    const Row rows[] = {{255, 153, 1, true, 255, 153},     {255, 153, 2, true, 510, 306},
                        {8000, 8000, 1, true, 8000, 8000}, {0, 153, 1, false, 0, 0},
                        {255, -1, 1, false, 0, 0},         {255, 153, 0, false, 0, 0},
                        {INT_MAX, 1, 2, false, 0, 0},      {1, (1 << 30) + 1, 4, false, 0, 0},
                        {16384, 16384, 2, false, 0, 0},    {23170, 23170, 1, true, 23170, 23170},
                        {23171, 23171, 1, false, 0, 0}};
    for (const Row& row : rows) {
        int width = 0;
        int height = 0;
        EXPECT_EQ(row.fits, ScaledBufferSize(row.width, row.height, row.scale, &width, &height))
            << row.width << "x" << row.height << " at " << row.scale;
        if (row.fits) {
            EXPECT_EQ(row.pixelWidth, width);
            EXPECT_EQ(row.pixelHeight, height);
        }
    }
}

TEST(ShmBuffer, ScaleIsTheOutputsWithinLimitsOnceSurfacesTakeOne) {
    struct Row {
        int output;
        uint32_t version;
        int scale;
    };
    const Row rows[] = {{2, 4, 2},
                        {2, 3, 2},
                        {2, 2, 1},
                        {0, 4, 1},
                        {-3, 4, 1},
                        {9, 4, 8},
                        {kMaxBufferScale, 4, kMaxBufferScale}};
    for (const Row& row : rows) {
        EXPECT_EQ(row.scale, BufferScale(row.output, row.version))
            << row.output << " v" << row.version;
    }
}
