#include "platform/x11/display/turn_plan.h"

#include <X11/extensions/Xrandr.h>

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
        rotation & (RR_Rotate_0 | RR_Rotate_90 | RR_Rotate_180 | RR_Rotate_270));
}

Uint16 TurnedRotation(Uint16 current, const OrientationEntry& target) {
    return static_cast<Uint16>((current & (RR_Reflect_X | RR_Reflect_Y)) | target.randrRotation);
}

ScreenSize TurnedScreenSize(const ScreenSize& screen, const CrtcArea* areas, int count, int turned,
                            bool swap) {
    int width = 0;
    int height = 0;
    for (int i = 0; i < count; ++i) {
        const CrtcArea& area = areas[i];
        const bool swapped = swap && i == turned;
        const int right = area.x + (swapped ? area.height : area.width);
        const int bottom = area.y + (swapped ? area.width : area.height);
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

bool FitsSizeRange(const ScreenSize& size, const SizeRange& range) {
    return size.width >= range.minWidth && size.width <= range.maxWidth &&
           size.height >= range.minHeight && size.height <= range.maxHeight;
}
