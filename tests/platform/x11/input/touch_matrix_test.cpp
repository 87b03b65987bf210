#include "platform/x11/input/touch_matrix.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

// A root of width x height; each output's x, y, width, height and orientation code.
RootLayout Root(int width, int height, const std::vector<std::array<int, 5>>& outputs) {
    RootLayout root{width, height, static_cast<int>(outputs.size()), {}, {}};
    for (int i = 0; i < root.count; ++i) {
        const auto& [x, y, w, h, code] = outputs[i];
        root.areas[i] = OutputArea{x, y, w, h};
        root.orientations[i] = FindOrientationByCode(code);
    }
    return root;
}

using Matrix = std::vector<float>;
const Matrix kIdentity = {1, 0, 0, 0, 1, 0, 0, 0, 1}, kLeft = {0, -1, 1, 1, 0, 0, 0, 0, 1};
const float k3 = 3.0f / 7, k4 = 4.0f / 7;

// The matrix takes the device onto its output's new share of the root, whatever it added to
// the old one; devices on no output, or on one whose share stays, are not written (empty).
TEST(TouchMatrix, DevicesFollowTheirOwnOutputsShareOfTheRoot) {
    const RootLayout one = Root(8, 6, {{0, 0, 8, 6, 0}}), left = Root(6, 8, {{0, 0, 6, 8, 1}});
    const RootLayout pair = Root(14, 6, {{0, 0, 8, 6, 0}, {8, 0, 6, 6, 0}});
    const RootLayout panel = Root(14, 8, {{0, 0, 6, 8, 1}, {6, 0, 6, 6, 0}});
    const RootLayout square = Root(14, 6, {{0, 0, 8, 6, 0}, {8, 0, 6, 6, 1}});
    const RootLayout tall = Root(14, 8, {{0, 0, 6, 8, 1}, {6, 0, 8, 6, 0}});
    const RootLayout wide = Root(16, 6, {{0, 0, 8, 6, 0}, {8, 0, 8, 6, 0}});
    const Matrix onPanel = {k4, 0, 0, 0, 1, 0, 0, 0, 1};
    const std::tuple<const char*, RootLayout, RootLayout, Matrix, Matrix> rows[] = {
        {"to 90", one, left, kIdentity, kLeft},
        {"to 270", one, Root(6, 8, {{0, 0, 6, 8, 4}}), kIdentity, {0, 1, 0, -1, 0, 1, 0, 0, 1}},
        {"back to 0", left, one, kLeft, kIdentity},
        {"mirrored", one, left, {-1, 0, 1, 0, 1, 0, 0, 0, 1}, {0, -1, 1, -1, 0, 1, 0, 0, 1}},
        {"panel turned", pair, panel, onPanel, {0, -k3, k3, 1, 0, 0, 0, 0, 1}},
        {"square", pair, square, {k3, 0, k4, 0, 1, 0, 0, 0, 1}, {0, -k3, 1, 1, 0, 0, 0, 0, 1}},
        {"other turned", pair, square, onPanel, {}},
        {"grows", tall, wide, {k4, 0, k3, 0, .75f, 0, 0, 0, 1}, {.5f, 0, .5f, 0, 1, 0, 0, 0, 1}},
        {"unmapped", pair, wide, kIdentity, {}},
        {"off", Root(10, 9, {{0, 0, 8, 6, 0}}), one, {.2f, 0, .8f, 0, 1, 0, 0, 0, 1}, {}},
        {"not finite", one, left, {NAN, 0, 0, 0, 1, 0, 0, 0, 1}, {}}};
    for (const auto& [name, before, after, matrix, expected] : rows) {
        Matrix followed = matrix;
        const int output = MappedOutput(followed.data(), before);
        const bool written = output >= 0 && FollowOutput(before, after, output, followed.data());
        ASSERT_EQ(!expected.empty(), written) << name;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(expected[i], followed[i], 1e-6) << name << ", element " << i;
        }
    }
}

} // namespace
