// The display-settings calls. Windows CE takes the seam's record as it is;
// desktop Windows has a larger record, other values and no orientation
// queries, so there the requests are translated.
#include "platform/platform.h"

#include <windows.h>

#include "platform/win32/same_values.h"

#if defined(_WIN32_WCE)

// The record passes straight through, so CE's layout and values must be the
// seam's.
typedef char SameRecordSize[sizeof(DEVMODEW) == sizeof(CE_DEVMODEW) ? 1 : -1];
TARVELIN_SAME_FIELD(dmSize);
TARVELIN_SAME_FIELD(dmFields);
TARVELIN_SAME_FIELD(dmDisplayOrientation);
TARVELIN_SAME_VALUE(DM_DISPLAYORIENTATION);
TARVELIN_SAME_VALUE(DM_DISPLAYQUERYORIENTATION);
TARVELIN_SAME_VALUE(DMDO_0);
TARVELIN_SAME_VALUE(DMDO_90);
TARVELIN_SAME_VALUE(DMDO_180);
TARVELIN_SAME_VALUE(DMDO_270);
TARVELIN_SAME_VALUE(ENUM_CURRENT_SETTINGS);
TARVELIN_SAME_VALUE(CDS_TEST);
TARVELIN_SAME_VALUE(DISP_CHANGE_SUCCESSFUL);

int PlatformEnumDisplaySettings(const WideChar* deviceName, Uint32 modeNumber,
                                CE_DEVMODEW* record) {
    return EnumDisplaySettings(deviceName, modeNumber, reinterpret_cast<DEVMODEW*>(record));
}

long PlatformChangeDisplaySettingsEx(const WideChar* deviceName, CE_DEVMODEW* record,
                                     PlatformWindow window, Uint32 flags, void* extra) {
    return ChangeDisplaySettingsEx(deviceName, reinterpret_cast<DEVMODEW*>(record),
                                   static_cast<HWND>(window), flags, extra);
}

#else

#include "platform/orientation_table.h"
#include "platform/win32/desktop_modes.h"

#include <string.h>

TARVELIN_SAME_VALUE(ENUM_CURRENT_SETTINGS);
TARVELIN_SAME_VALUE(DISP_CHANGE_SUCCESSFUL);

namespace {

// The settings read's answer, kept for the requests that follow it.
DEVMODEW g_current;
bool g_haveCurrent = false;

DesktopMode ModeOf(const DEVMODEW& mode) {
    const DesktopMode result = {mode.dmPelsWidth, mode.dmPelsHeight, mode.dmDisplayOrientation};
    return result;
}

// dmSize set and no room for driver data, as the calls require.
void Clear(DEVMODEW* mode) {
    memset(mode, 0, sizeof *mode);
    mode->dmSize = sizeof *mode;
}

// The code of the kept mode's orientation, or null when it is unknown.
const OrientationEntry* CurrentOrientation() {
    if (!g_haveCurrent || (g_current.dmFields & DM_DISPLAYORIENTATION) == 0) {
        return NULL;
    }
    return FindOrientationByDesktopCode(g_current.dmDisplayOrientation);
}

long QuerySupported(const WideChar* deviceName, CE_DEVMODEW* record) {
    if (CurrentOrientation() == NULL) {
        return DISP_CHANGE_FAILED;
    }
    Uint32 offered = 0;
    DEVMODEW listed;
    Clear(&listed);
    for (DWORD i = 0; EnumDisplaySettingsExW(deviceName, i, &listed, EDS_ROTATEDMODE); ++i) {
        if ((listed.dmFields & DM_DISPLAYORIENTATION) != 0) {
            offered |= OfferedOrientation(ModeOf(g_current), ModeOf(listed));
        }
        Clear(&listed);
    }
    record->dmDisplayOrientation = offered;
    return DISP_CHANGE_SUCCESSFUL;
}

long QueryOrientation(CE_DEVMODEW* record) {
    const OrientationEntry* current = CurrentOrientation();
    if (current == NULL) {
        return DISP_CHANGE_FAILED;
    }
    record->dmDisplayOrientation = current->code;
    return DISP_CHANGE_SUCCESSFUL;
}

// Only a code that names an orientation reaches the driver.
long Apply(const WideChar* deviceName, const CE_DEVMODEW* record, HWND window, void* extra) {
    DesktopMode target;
    if (CurrentOrientation() == NULL ||
        !PlanTurn(ModeOf(g_current), record->dmDisplayOrientation, &target)) {
        return DISP_CHANGE_BADPARAM;
    }
    DEVMODEW mode = g_current;
    mode.dmFields = DM_DISPLAYORIENTATION | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = target.width;
    mode.dmPelsHeight = target.height;
    mode.dmDisplayOrientation = target.orientation;
    const LONG result = ChangeDisplaySettingsExW(deviceName, &mode, window, 0, extra);
    if (result == DISP_CHANGE_SUCCESSFUL) {
        g_current = mode;
        g_current.dmFields |= DM_DISPLAYORIENTATION;
    }
    return result;
}

} // namespace

int PlatformEnumDisplaySettings(const WideChar* deviceName, Uint32 modeNumber,
                                CE_DEVMODEW* record) {
    Clear(&g_current);
    const BOOL read = EnumDisplaySettingsW(deviceName, modeNumber, &g_current);
    g_haveCurrent = read && modeNumber == CE_ENUM_CURRENT_SETTINGS;
    if (read) {
        record->dmBitsPerPel = g_current.dmBitsPerPel;
        record->dmPelsWidth = g_current.dmPelsWidth;
        record->dmPelsHeight = g_current.dmPelsHeight;
        record->dmDisplayFrequency = g_current.dmDisplayFrequency;
    }
    return read;
}

long PlatformChangeDisplaySettingsEx(const WideChar* deviceName, CE_DEVMODEW* record,
                                     PlatformWindow window, Uint32 flags, void* extra) {
    if (record->dmFields == CE_DM_DISPLAYQUERYORIENTATION && flags == CE_CDS_TEST) {
        return QuerySupported(deviceName, record);
    }
    if (record->dmFields == CE_DM_DISPLAYORIENTATION && flags == CE_CDS_TEST) {
        return QueryOrientation(record);
    }
    if (record->dmFields == CE_DM_DISPLAYORIENTATION && flags == 0) {
        return Apply(deviceName, record, static_cast<HWND>(window), extra);
    }
    return DISP_CHANGE_BADPARAM;
}

#endif
