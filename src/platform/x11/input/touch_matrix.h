// Which output an absolute pointer is mapped onto, and its matrix once the
// outputs have moved. XInput's Coordinate Transformation Matrix takes the
// device's own unit square onto the root window, in fractions of its size.
#ifndef TARVELIN_PLATFORM_X11_INPUT_TOUCH_MATRIX_H
#define TARVELIN_PLATFORM_X11_INPUT_TOUCH_MATRIX_H

#include "orientation/orientation_table.h"
#include "platform/linux/output_areas.h"

// The root window and where each output shows on it, and which way.
struct RootLayout {
    int width, height;
    int count;
    OutputArea areas[kMaxOutputAreas];
    const OrientationEntry* orientations[kMaxOutputAreas];
};

// The output whose area holds the centre of what matrix (row by row) maps
// the device onto; -1 for none. The identity belongs to the one output of a
// root that shows one, and to none of several.
int MappedOutput(const float* matrix, const RootLayout& root);

// Sets matrix to A_after · A_before⁻¹ · matrix, where A takes the unit square
// onto output's share of the root, turned as it is: whatever the device's
// own setup added to its mapping stays. False, leaving matrix as it is,
// when that share is the same in both layouts, or when the result is no
// finite float matrix.
bool FollowOutput(const RootLayout& before, const RootLayout& after, int output, float* matrix);

#endif
