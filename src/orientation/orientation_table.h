// The orientation codes, and one table from each to every platform's value
// for it. All these conventions turn the picture counter-clockwise: code 1
// is desktop DMDO_90, RandR RR_Rotate_90 and xrandr "left".
#ifndef TARVELIN_ORIENTATION_ORIENTATION_TABLE_H
#define TARVELIN_ORIENTATION_ORIENTATION_TABLE_H

#include "platform/port.h"

// Windows CE's DMDO_ values: the program's own codes. The turned ones are
// single bits, so a set of orientations is their bitwise OR.
const Uint32 kOrientation0 = 0;
const Uint32 kOrientation90 = 1;
const Uint32 kOrientation180 = 2;
const Uint32 kOrientation270 = 4;

struct OrientationEntry {
    Uint32 code;
    Uint32 desktopCode;      // desktop Windows' DMDO_ value: its 270 is 3
    Uint32 waylandTransform; // wl_output's, and Mutter's and KWin's, unflipped
    Uint32 randrRotation;    // RR_Rotate_0, _90, _180, _270
    bool quarterTurn;        // swaps width and height
    // XInput's Coordinate Transformation Matrix, row by row: takes a touch
    // on the panel to where that point of the picture now is.
    float touchMatrix[9];
};

// Each returns null for a value that names no orientation.
const OrientationEntry* FindOrientationByCode(Uint32 code);
const OrientationEntry* FindOrientationByDesktopCode(Uint32 desktopCode);
const OrientationEntry* FindOrientationByRandrRotation(Uint32 rotation);
const OrientationEntry* FindOrientationByWaylandTransform(Uint32 transform);

// The shape of a display that shows width x height at current: a quarter
// turn swaps them back. Unknown when current is null or a side is not
// above 0.
DisplayShape DefaultShapeOf(int width, int height, const OrientationEntry* current);

#endif
