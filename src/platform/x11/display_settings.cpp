// The display-settings calls on RandR: the supported set, the current
// orientation, and the turn, followed by touch input.
#include "platform/platform.h"
#include "platform/x11/connection.h"
#include "platform/x11/randr_display.h"
#include "platform/x11/touch_input.h"
#include "platform/x11/turn_plan.h"

namespace {

// Windows' answers for a change that failed, and for one asked wrongly.
const long kChangeFailed = -1;
const long kChangeBadMode = -2;
const long kChangeBadParam = -5;

const Uint32 kFieldBitsPerPel = 0x00040000;
const Uint32 kFieldPelsWidth = 0x00080000;
const Uint32 kFieldPelsHeight = 0x00100000;

long Test(Display* display, CE_DEVMODEW* record) {
    Uint16 offered = 0;
    Uint16 current = 0;
    if (record->dmFields & CE_DM_DISPLAYQUERYORIENTATION) {
        if (!QueryRotations(display, &offered, &current)) {
            return kChangeFailed;
        }
        record->dmDisplayOrientation = OrientationSetOf(offered);
        return CE_DISP_CHANGE_SUCCESSFUL;
    }
    if (record->dmFields & CE_DM_DISPLAYORIENTATION) {
        const OrientationEntry* orientation =
            QueryRotations(display, &offered, &current) ? OrientationOf(current) : nullptr;
        if (orientation == nullptr) {
            return kChangeFailed;
        }
        record->dmDisplayOrientation = orientation->code;
        return CE_DISP_CHANGE_SUCCESSFUL;
    }
    return kChangeBadMode;
}

long Apply(Display* display, const CE_DEVMODEW* record) {
    if (!(record->dmFields & CE_DM_DISPLAYORIENTATION)) {
        return kChangeBadMode;
    }
    const OrientationEntry* target = FindOrientationByCode(record->dmDisplayOrientation);
    if (target == nullptr) {
        return kChangeBadParam;
    }
    const TouchDevices touch = FindTouchDevices(display);
    if (!TurnDisplay(display, *target)) {
        return kChangeFailed;
    }
    TurnTouchDevices(display, touch, *target);
    return CE_DISP_CHANGE_SUCCESSFUL;
}

} // namespace

int PlatformEnumDisplaySettings(const WideChar*, Uint32 modeNumber, CE_DEVMODEW* record) {
    Display* display = X11Connection();
    if (display == nullptr || record == nullptr || modeNumber != CE_ENUM_CURRENT_SETTINGS) {
        return 0;
    }
    const int screen = DefaultScreen(display);
    record->dmPelsWidth = static_cast<Uint32>(DisplayWidth(display, screen));
    record->dmPelsHeight = static_cast<Uint32>(DisplayHeight(display, screen));
    record->dmBitsPerPel = static_cast<Uint32>(DefaultDepth(display, screen));
    record->dmFields = kFieldBitsPerPel | kFieldPelsWidth | kFieldPelsHeight;
    return 1;
}

long PlatformChangeDisplaySettingsEx(const WideChar*, CE_DEVMODEW* record, PlatformWindow,
                                     Uint32 flags, void*) {
    Display* display = X11Connection();
    if (record == nullptr) {
        return kChangeBadParam;
    }
    if (display == nullptr) {
        return kChangeFailed;
    }
    // A turn is asked about first: the answer comes with those queries.
    AskForXInput(display);
    return flags & CE_CDS_TEST ? Test(display, record) : Apply(display, record);
}
