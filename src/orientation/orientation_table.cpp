#include "orientation/orientation_table.h"

namespace {

const OrientationEntry kOrientations[] = {
    {kOrientation0, 0, 1, false, {1, 0, 0, 0, 1, 0, 0, 0, 1}},
    {kOrientation90, 1, 2, true, {0, -1, 1, 1, 0, 0, 0, 0, 1}},
    {kOrientation180, 2, 4, false, {-1, 0, 1, 0, -1, 1, 0, 0, 1}},
    {kOrientation270, 3, 8, true, {0, 1, 0, -1, 0, 1, 0, 0, 1}},
};

const size_t kCount = sizeof kOrientations / sizeof kOrientations[0];

} // namespace

const OrientationEntry* FindOrientationByCode(Uint32 code) {
    for (size_t i = 0; i < kCount; ++i) {
        if (kOrientations[i].code == code) {
            return &kOrientations[i];
        }
    }
    return NULL;
}

const OrientationEntry* FindOrientationByDesktopCode(Uint32 desktopCode) {
    for (size_t i = 0; i < kCount; ++i) {
        if (kOrientations[i].desktopCode == desktopCode) {
            return &kOrientations[i];
        }
    }
    return NULL;
}

const OrientationEntry* FindOrientationByRandrRotation(Uint16 rotation) {
    for (size_t i = 0; i < kCount; ++i) {
        if (kOrientations[i].randrRotation == rotation) {
            return &kOrientations[i];
        }
    }
    return NULL;
}
