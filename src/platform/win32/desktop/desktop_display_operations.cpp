// The display: desktop Windows has no orientation queries, so the answers
// come from the current mode and the rotated modes the driver lists.
#include "platform/win32/desktop/desktop_display_operations.h"

#include <windows.h>

#include "orientation/orientation_table.h"
#include "platform/win32/desktop/desktop_modes.h"

#include <string.h>
#include <wchar.h>

namespace {

DesktopMode ModeOf(const DEVMODEW& mode) {
    return {mode.dmPelsWidth, mode.dmPelsHeight, mode.dmDisplayOrientation};
}

// dmSize set and no room for driver data, as the calls require.
void Clear(DEVMODEW* mode) {
    memset(mode, 0, sizeof *mode);
    mode->dmSize = sizeof *mode;
}

// Room for a display device's name, as DISPLAY_DEVICEW holds it.
const DWORD kDeviceNameUnits = 32;

// The display that turns and its current mode.
struct Current {
    DEVMODEW mode;
    const wchar_t* device; // null: the primary display
    wchar_t name[kDeviceNameUnits];
};

// The one TARVELIN_OUTPUT names (\\.\DISPLAY2, as EnumDisplayDevices lists
// them), or the primary one when it is unset or empty. False when no
// display on the desktop has that name.
bool ChooseDisplay(Current* current) {
    const DWORD length =
        GetEnvironmentVariableW(L"TARVELIN_OUTPUT", current->name, kDeviceNameUnits);
    current->device = nullptr;
    if (length == 0) {
        return true;
    }
    DISPLAY_DEVICEW display;
    display.cb = sizeof display;
    // A longer value is no device's name, and was not copied.
    for (DWORD i = 0; length < kDeviceNameUnits && EnumDisplayDevicesW(nullptr, i, &display, 0);
         ++i) {
        if ((display.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) != 0 &&
            wcscmp(display.DeviceName, current->name) == 0) {
            current->device = current->name;
            return true;
        }
        display.cb = sizeof display;
    }
    return false;
}

// False when there is no such display, when its mode cannot be read or its
// orientation names none.
bool ReadCurrentMode(Current* current) {
    Clear(&current->mode);
    return ChooseDisplay(current) &&
           EnumDisplaySettingsW(current->device, ENUM_CURRENT_SETTINGS, &current->mode) &&
           (current->mode.dmFields & DM_DISPLAYORIENTATION) != 0 &&
           FindOrientationByDesktopCode(current->mode.dmDisplayOrientation) != nullptr;
}

bool SupportedOrientations(void*, Uint32* set) {
    Current current;
    if (!ReadCurrentMode(&current)) {
        return false;
    }
    Uint32 offered = 0;
    DEVMODEW listed;
    Clear(&listed);
    for (DWORD i = 0; EnumDisplaySettingsExW(current.device, i, &listed, EDS_ROTATEDMODE); ++i) {
        if ((listed.dmFields & DM_DISPLAYORIENTATION) != 0) {
            offered |= OfferedOrientation(ModeOf(current.mode), ModeOf(listed));
        }
        Clear(&listed);
    }
    *set = offered;
    return true;
}

bool CurrentOrientation(void*, Uint32* code) {
    Current current;
    if (!ReadCurrentMode(&current)) {
        return false;
    }
    *code = FindOrientationByDesktopCode(current.mode.dmDisplayOrientation)->code;
    return true;
}

// Without DM_POSITION the display keeps its place; the others keep theirs
// unless the system moves them.
bool ApplyOrientation(void*, Uint32 code) {
    Current current;
    DesktopMode target;
    if (!ReadCurrentMode(&current) || !PlanTurn(ModeOf(current.mode), code, &target)) {
        return false;
    }
    DEVMODEW& mode = current.mode;
    mode.dmFields = DM_DISPLAYORIENTATION | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = target.width;
    mode.dmPelsHeight = target.height;
    mode.dmDisplayOrientation = target.orientation;
    return ChangeDisplaySettingsExW(current.device, &mode, nullptr, 0, nullptr) ==
           DISP_CHANGE_SUCCESSFUL;
}

// A GUI program has nowhere else to say it: every failure gets its box.
bool NothingReported(void*) {
    return false;
}

// A named display's middle is where it is placed on the virtual screen.
Point DialogAnchor(void*) {
    Current current;
    const DEVMODEW& mode = current.mode;
    if (ReadCurrentMode(&current) && current.device != nullptr &&
        (mode.dmFields & DM_POSITION) != 0) {
        return {mode.dmPosition.x + static_cast<int>(mode.dmPelsWidth / 2),
                mode.dmPosition.y + static_cast<int>(mode.dmPelsHeight / 2)};
    }
    return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
}

DisplayShape DefaultShape(void*) {
    Current current;
    if (!ReadCurrentMode(&current)) {
        return kShapeUnknown;
    }
    const DEVMODEW& mode = current.mode;
    return DefaultShapeOf(static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                          FindOrientationByDesktopCode(mode.dmDisplayOrientation));
}

} // namespace

DisplayOperations DesktopDisplayOperations() {
    return {nullptr,      SupportedOrientations, CurrentOrientation, ApplyOrientation,
            DialogAnchor, DefaultShape,          NothingReported};
}
