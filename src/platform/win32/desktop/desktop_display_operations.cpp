// The display: desktop Windows has no orientation queries, so the answers
// come from the current mode and the rotated modes the driver lists.
#include "platform/win32/desktop/desktop_display_operations.h"

#include <windows.h>

#include "orientation/orientation_table.h"
#include "platform/win32/desktop/desktop_modes.h"

#include <string.h>

namespace {

DesktopMode ModeOf(const DEVMODEW& mode) {
    return {mode.dmPelsWidth, mode.dmPelsHeight, mode.dmDisplayOrientation};
}

// dmSize set and no room for driver data, as the calls require.
void Clear(DEVMODEW* mode) {
    memset(mode, 0, sizeof *mode);
    mode->dmSize = sizeof *mode;
}

// False when the mode cannot be read or its orientation names none.
bool ReadCurrentMode(DEVMODEW* mode) {
    Clear(mode);
    return EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, mode) &&
           (mode->dmFields & DM_DISPLAYORIENTATION) != 0 &&
           FindOrientationByDesktopCode(mode->dmDisplayOrientation) != nullptr;
}

bool SupportedOrientations(void*, Uint32* set) {
    DEVMODEW current;
    if (!ReadCurrentMode(&current)) {
        return false;
    }
    Uint32 offered = 0;
    DEVMODEW listed;
    Clear(&listed);
    for (DWORD i = 0; EnumDisplaySettingsExW(nullptr, i, &listed, EDS_ROTATEDMODE); ++i) {
        if ((listed.dmFields & DM_DISPLAYORIENTATION) != 0) {
            offered |= OfferedOrientation(ModeOf(current), ModeOf(listed));
        }
        Clear(&listed);
    }
    *set = offered;
    return true;
}

bool CurrentOrientation(void*, Uint32* code) {
    DEVMODEW current;
    if (!ReadCurrentMode(&current)) {
        return false;
    }
    *code = FindOrientationByDesktopCode(current.dmDisplayOrientation)->code;
    return true;
}

bool ApplyOrientation(void*, Uint32 code) {
    DEVMODEW mode;
    DesktopMode target;
    if (!ReadCurrentMode(&mode) || !PlanTurn(ModeOf(mode), code, &target)) {
        return false;
    }
    mode.dmFields = DM_DISPLAYORIENTATION | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = target.width;
    mode.dmPelsHeight = target.height;
    mode.dmDisplayOrientation = target.orientation;
    return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

// A GUI program has nowhere else to say it: every failure gets its box.
bool NothingReported(void*) {
    return false;
}

Point DialogAnchor(void*) {
    return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
}

DisplayShape DefaultShape(void*) {
    DEVMODEW current;
    if (!ReadCurrentMode(&current)) {
        return kShapeUnknown;
    }
    return DefaultShapeOf(static_cast<int>(current.dmPelsWidth),
                          static_cast<int>(current.dmPelsHeight),
                          FindOrientationByDesktopCode(current.dmDisplayOrientation));
}

} // namespace

DisplayOperations DesktopDisplayOperations() {
    return {nullptr,      SupportedOrientations, CurrentOrientation, ApplyOrientation,
            DialogAnchor, DefaultShape,          NothingReported};
}
