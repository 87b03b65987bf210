#include "platform/x11/input/touch_matrix.h"

#include <float.h>

namespace {

// Affine matrices, row by row, without their last row (0, 0, 1).
struct Affine {
    double m[6];
};

// The unit square onto output's share of the root: its turn, then its area.
// Equal fractions divide to equal doubles, so shares compare exactly.
Affine ShareOf(const RootLayout& root, int output) {
    const OutputArea& area = root.areas[output];
    const float* turn = root.orientations[output]->touchMatrix;
    const double sx = static_cast<double>(area.width) / root.width;
    const double sy = static_cast<double>(area.height) / root.height;
    const double x = static_cast<double>(area.x) / root.width;
    const double y = static_cast<double>(area.y) / root.height;
    return Affine{{sx * turn[0], sx * turn[1], sx * turn[2] + x, sy * turn[3], sy * turn[4],
                   sy * turn[5] + y}};
}

bool Same(const Affine& a, const Affine& b) {
    for (int i = 0; i < 6; ++i) {
        if (a.m[i] != b.m[i]) {
            return false;
        }
    }
    return true;
}

// A share is never degenerate: an output has an area.
Affine Inverse(const Affine& a) {
    const double* m = a.m;
    const double det = m[0] * m[4] - m[1] * m[3];
    return Affine{{m[4] / det, -m[1] / det, (m[1] * m[5] - m[2] * m[4]) / det, -m[3] / det,
                   m[0] / det, (m[2] * m[3] - m[0] * m[5]) / det}};
}

Affine Times(const Affine& a, const Affine& b) {
    const double* p = a.m;
    const double* q = b.m;
    return Affine{{p[0] * q[0] + p[1] * q[3], p[0] * q[1] + p[1] * q[4],
                   p[0] * q[2] + p[1] * q[5] + p[2], p[3] * q[0] + p[4] * q[3],
                   p[3] * q[1] + p[4] * q[4], p[3] * q[2] + p[4] * q[5] + p[5]}};
}

bool IsIdentity(const float* matrix) {
    static const float kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) {
        if (matrix[i] != kIdentity[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

int MappedOutput(const float* matrix, const RootLayout& root) {
    if (IsIdentity(matrix)) {
        return root.count == 1 ? 0 : -1;
    }
    // The server divides by w as well: a centre at infinity is on no output,
    // and neither is one that is not finite, which fails every comparison.
    const double w = 0.5 * matrix[6] + 0.5 * matrix[7] + matrix[8];
    if (w == 0) {
        return -1;
    }
    const double x = (0.5 * matrix[0] + 0.5 * matrix[1] + matrix[2]) / w * root.width;
    const double y = (0.5 * matrix[3] + 0.5 * matrix[4] + matrix[5]) / w * root.height;
    for (int i = 0; i < root.count; ++i) {
        const OutputArea& a = root.areas[i];
        if (x >= a.x && x < a.x + a.width && y >= a.y && y < a.y + a.height) {
            return i;
        }
    }
    return -1;
}

bool FollowOutput(const RootLayout& before, const RootLayout& after, int output, float* matrix) {
    const Affine was = ShareOf(before, output);
    const Affine now = ShareOf(after, output);
    if (Same(was, now)) {
        return false;
    }
    const Affine move = Times(now, Inverse(was));
    const double* p = move.m;
    double product[9];
    for (int column = 0; column < 3; ++column) {
        const double a = matrix[column], b = matrix[3 + column], c = matrix[6 + column];
        product[column] = p[0] * a + p[1] * b + p[2] * c;
        product[3 + column] = p[3] * a + p[4] * b + p[5] * c;
        product[6 + column] = c;
    }
    // A float out of range, or NaN, is no matrix to send.
    for (const double value : product) {
        if (!(value >= -FLT_MAX && value <= FLT_MAX)) {
            return false;
        }
    }
    for (int i = 0; i < 9; ++i) {
        matrix[i] = static_cast<float>(product[i]);
    }
    return true;
}
