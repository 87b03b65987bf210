#include "orientation/orientation_table.h"

namespace {

const OrientationEntry kOrientations[] = {
    {kOrientation0, 0, 0, 1, false, {1, 0, 0, 0, 1, 0, 0, 0, 1}},
    {kOrientation90, 1, 1, 2, true, {0, -1, 1, 1, 0, 0, 0, 0, 1}},
    {kOrientation180, 2, 2, 4, false, {-1, 0, 1, 0, -1, 1, 0, 0, 1}},
    {kOrientation270, 3, 3, 8, true, {0, 1, 0, -1, 0, 1, 0, 0, 1}},
};

const size_t kCount = sizeof kOrientations / sizeof kOrientations[0];

const OrientationEntry* FindBy(Uint32 OrientationEntry::*field, Uint32 value) {
    for (size_t i = 0; i < kCount; ++i) {
        if (kOrientations[i].*field == value) {
            return &kOrientations[i];
        }
    }
    return NULL;
}

} // namespace

const OrientationEntry* FindOrientationByCode(Uint32 code) {
    return FindBy(&OrientationEntry::code, code);
}

const OrientationEntry* FindOrientationByDesktopCode(Uint32 desktopCode) {
    return FindBy(&OrientationEntry::desktopCode, desktopCode);
}

const OrientationEntry* FindOrientationByRandrRotation(Uint32 rotation) {
    return FindBy(&OrientationEntry::randrRotation, rotation);
}

const OrientationEntry* FindOrientationByWaylandTransform(Uint32 transform) {
    return FindBy(&OrientationEntry::waylandTransform, transform);
}

DisplayShape DefaultShapeOf(int width, int height, const OrientationEntry* current) {
    if (current == NULL || width <= 0 || height <= 0) {
        return kShapeUnknown;
    }
    const int wide = current->quarterTurn ? height : width;
    const int high = current->quarterTurn ? width : height;
    return wide > high ? kShapeWide : wide < high ? kShapeTall : kShapeSquare;
}
