#include "platform/x11/display/turn_plan.h"

#include <xcb/randr.h>

namespace {

const Uint32 kTurnedCodes[] = {kOrientation90, kOrientation180, kOrientation270};

// RandR refuses a screen of no millimetres; without any known, assume the
// usual 96 pixels per inch.
int Millimetres(int pixels) {
    return (pixels * 254 + 480) / 960;
}

int Scaled(int millimetres, int pixels, int oldPixels) {
    if (millimetres <= 0 || oldPixels <= 0) {
        return Millimetres(pixels);
    }
    const long long scaled =
        (static_cast<long long>(millimetres) * pixels + oldPixels / 2) / oldPixels;
    return scaled < 1 ? 1 : static_cast<int>(scaled);
}

} // namespace

Uint32 OrientationSetOf(Uint16 rotations) {
    Uint32 set = 0;
    for (const Uint32 code : kTurnedCodes) {
        if (rotations & FindOrientationByCode(code)->randrRotation) {
            set |= code;
        }
    }
    return set;
}

const OrientationEntry* OrientationOf(Uint16 rotation) {
    return FindOrientationByRandrRotation(
        rotation & (XCB_RANDR_ROTATION_ROTATE_0 | XCB_RANDR_ROTATION_ROTATE_90 |
                    XCB_RANDR_ROTATION_ROTATE_180 | XCB_RANDR_ROTATION_ROTATE_270));
}

Uint16 TurnedRotation(Uint16 current, const OrientationEntry& target) {
    const Uint16 reflections = XCB_RANDR_ROTATION_REFLECT_X | XCB_RANDR_ROTATION_REFLECT_Y;
    return static_cast<Uint16>((current & reflections) | target.randrRotation);
}

ScreenSize ScreenHolding(const ScreenSize& screen, const CrtcArea* areas, int count) {
    int width = 0;
    int height = 0;
    for (int i = 0; i < count; ++i) {
        const int right = areas[i].x + areas[i].width;
        const int bottom = areas[i].y + areas[i].height;
        width = right > width ? right : width;
        height = bottom > height ? bottom : height;
    }
    if (width == screen.height && height == screen.width && screen.mmWidth > 0 &&
        screen.mmHeight > 0) {
        return ScreenSize{width, height, screen.mmHeight, screen.mmWidth};
    }
    return ScreenSize{width, height, Scaled(screen.mmWidth, width, screen.width),
                      Scaled(screen.mmHeight, height, screen.height)};
}

bool Inside(const CrtcArea& area, const ScreenSize& screen) {
    return area.x >= 0 && area.y >= 0 && area.x + area.width <= screen.width &&
           area.y + area.height <= screen.height;
}

bool FitsSizeRange(const ScreenSize& size, const SizeRange& range) {
    return size.width >= range.minWidth && size.width <= range.maxWidth &&
           size.height >= range.minHeight && size.height <= range.maxHeight;
}
