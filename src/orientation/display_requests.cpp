#include "orientation/display_requests.h"

#include <string.h>

void ReadDisplaySettings(CE_DEVMODEW* record) {
    // A failed read must not pass stack garbage on to the display driver.
    memset(record, 0, sizeof *record);
    record->dmSize = CE_DEVMODEW_SIZE;
    PlatformEnumDisplaySettings(NULL, CE_ENUM_CURRENT_SETTINGS, record);
}

bool QuerySupportedOrientations(CE_DEVMODEW* record, Uint32* supported) {
    record->dmFields = CE_DM_DISPLAYQUERYORIENTATION;
    if (PlatformChangeDisplaySettingsEx(NULL, record, NULL, CE_CDS_TEST, NULL) !=
        CE_DISP_CHANGE_SUCCESSFUL) {
        return false;
    }
    *supported = record->dmDisplayOrientation;
    return true;
}

void EnterOrientationMode(CE_DEVMODEW* record) {
    record->dmSize = CE_DEVMODEW_SIZE;
    record->dmFields = CE_DM_DISPLAYORIENTATION;
}

bool QueryCurrentOrientation(CE_DEVMODEW* record, Uint32* current) {
    if (PlatformChangeDisplaySettingsEx(NULL, record, NULL, CE_CDS_TEST, NULL) !=
        CE_DISP_CHANGE_SUCCESSFUL) {
        return false;
    }
    *current = record->dmDisplayOrientation;
    return true;
}

void ApplyOrientation(CE_DEVMODEW* record, Uint32 code) {
    record->dmDisplayOrientation = code;
    PlatformChangeDisplaySettingsEx(NULL, record, NULL, 0, NULL);
}
