// One table from an orientation code to every platform's value for it. All
// these conventions turn the picture counter-clockwise: code 1 is desktop
// DMDO_90, RandR RR_Rotate_90 and xrandr "left".
#ifndef TARVELIN_PLATFORM_ORIENTATION_TABLE_H
#define TARVELIN_PLATFORM_ORIENTATION_TABLE_H

#include "platform/platform.h"

struct OrientationEntry {
    Uint32 code;            // Windows CE's DMDO_ value, the program's own code
    Uint32 desktopCode;     // desktop Windows' DMDO_ value: its 270 is 3
    Uint16 randrRotation;   // RR_Rotate_0, _90, _180, _270
    const char* xrandrName; // what xrandr --orientation calls it
    bool quarterTurn;       // swaps width and height
    // XInput's Coordinate Transformation Matrix, row by row: takes a touch
    // on the panel to where that point of the picture now is.
    float touchMatrix[9];
};

// Each returns null for a value that names no orientation.
const OrientationEntry* FindOrientationByCode(Uint32 code);
const OrientationEntry* FindOrientationByDesktopCode(Uint32 desktopCode);
const OrientationEntry* FindOrientationByRandrRotation(Uint16 rotation);

#endif
