#include "platform/win32/desktop/desktop_modes.h"

#include "orientation/orientation_table.h"

bool PlanTurn(const DesktopMode& current, Uint32 code, DesktopMode* target) {
    const OrientationEntry* now = FindOrientationByDesktopCode(current.orientation);
    const OrientationEntry* next = FindOrientationByCode(code);
    if (now == nullptr || next == nullptr) {
        return false;
    }
    const bool swapped = now->quarterTurn != next->quarterTurn;
    target->width = swapped ? current.height : current.width;
    target->height = swapped ? current.width : current.height;
    target->orientation = next->desktopCode;
    return true;
}

Uint32 OfferedOrientation(const DesktopMode& current, const DesktopMode& listed) {
    const OrientationEntry* offered = FindOrientationByDesktopCode(listed.orientation);
    DesktopMode expected;
    if (offered == nullptr || !PlanTurn(current, offered->code, &expected)) {
        return 0;
    }
    return listed.width == expected.width && listed.height == expected.height ? offered->code : 0;
}
