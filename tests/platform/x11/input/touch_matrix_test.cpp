#include "platform/x11/input/touch_matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace {

struct Shown {
    int x, y, width, height;
    Uint32 code;
};

RootLayout Root(int width, int height, const std::vector<Shown>& outputs) {
    RootLayout root{width, height, static_cast<int>(outputs.size()), {}, {}};
    for (int i = 0; i < root.count; ++i) {
        const Shown& o = outputs[i];
        root.areas[i] = OutputArea{o.x, o.y, o.width, o.height};
        root.orientations[i] = FindOrientationByCode(o.code);
    }
    return root;
}

using Matrix = std::vector<float>;

// The matrix a device is given, or none when it is left as it is.
Matrix Followed(const RootLayout& before, const RootLayout& after, Matrix matrix) {
    const int output = MappedOutput(matrix.data(), before);
    return output >= 0 && FollowOutput(before, after, output, matrix.data()) ? matrix : Matrix{};
}

const Matrix kIdentity = {1, 0, 0, 0, 1, 0, 0, 0, 1};
const float k3 = 3.0f / 7, k4 = 4.0f / 7;

// The matrix takes the device onto its output's new share of the root, whatever it added to
// the old one; devices on no output, or on one whose share stays, are not written.
TEST(TouchMatrix, DevicesFollowTheirOwnOutputsShareOfTheRoot) {
    const RootLayout one = Root(8, 6, {{0, 0, 8, 6, 0}}), left = Root(6, 8, {{0, 0, 6, 8, 1}});
    const RootLayout pair = Root(14, 6, {{0, 0, 8, 6, 0}, {8, 0, 6, 6, 0}});
    const RootLayout tall = Root(14, 8, {{0, 0, 6, 8, 1}, {6, 0, 8, 6, 0}});
    const RootLayout wide = Root(16, 6, {{0, 0, 8, 6, 0}, {8, 0, 8, 6, 0}});
    const Matrix onPanel = {k4, 0, 0, 0, 1, 0, 0, 0, 1}, onSquare = {k3, 0, k4, 0, 1, 0, 0, 0, 1};
    const std::tuple<const char*, RootLayout, RootLayout, Matrix, Matrix> rows[] = {
        {"to 90", one, left, kIdentity, {0, -1, 1, 1, 0, 0, 0, 0, 1}},
        {"to 180", one, Root(8, 6, {{0, 0, 8, 6, 2}}), kIdentity, {-1, 0, 1, 0, -1, 1, 0, 0, 1}},
        {"to 270", one, Root(6, 8, {{0, 0, 6, 8, 4}}), kIdentity, {0, 1, 0, -1, 0, 1, 0, 0, 1}},
        {"back to 0", left, one, {0, -1, 1, 1, 0, 0, 0, 0, 1}, kIdentity},
        {"mirrored", one, left, {-1, 0, 1, 0, 1, 0, 0, 0, 1}, {0, -1, 1, -1, 0, 1, 0, 0, 1}},
        // Larger than its output, the root shrinks to it.
        {"root shrinks",
         Root(10, 9, {{0, 0, 8, 6, 0}}),
         left,
         {.8f, 0, 0, 0, 2.f / 3, 0, 0, 0, 1},
         {0, -1, 1, 1, 0, 0, 0, 0, 1}},
        {"panel turned",
         pair,
         Root(14, 8, {{0, 0, 6, 8, 1}, {6, 0, 6, 6, 0}}),
         onPanel,
         {0, -k3, k3, 1, 0, 0, 0, 0, 1}},
        {"square turned",
         pair,
         Root(14, 6, {{0, 0, 8, 6, 0}, {8, 0, 6, 6, 1}}),
         onSquare,
         {0, -k3, 1, 1, 0, 0, 0, 0, 1}},
        {"other turned", pair, Root(14, 6, {{0, 0, 8, 6, 0}, {8, 0, 6, 6, 1}}), onPanel, {}},
        {"root grows",
         tall,
         wide,
         {k4, 0, k3, 0, .75f, 0, 0, 0, 1},
         {.5f, 0, .5f, 0, 1, 0, 0, 0, 1}},
        {"unmapped", pair, wide, kIdentity, {}},
        {"off every output",
         Root(10, 9, {{0, 0, 8, 6, 0}}),
         left,
         {.2f, 0, .8f, 0, 1, 0, 0, 0, 1},
         {}},
        {"not finite", one, left, {NAN, 0, 0, 0, 1, 0, 0, 0, 1}, {}},
        {"centre at infinity", one, left, {1, 0, 0, 0, 1, 0, 0, 0, -1}, {}}};
    for (const auto& [name, before, after, matrix, expected] : rows) {
        const Matrix followed = Followed(before, after, matrix);
        ASSERT_EQ(expected.size(), followed.size()) << name;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(expected[i], followed[i], 1e-6) << name << ", element " << i;
        }
    }
}

} // namespace
