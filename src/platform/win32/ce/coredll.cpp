// The CE calls on a device: COREDLL takes the CE port's record and values as
// they are, which the checks below hold it to.
#include "platform/win32/ce/ce_api.h"

#include <windows.h>

#include "orientation/orientation_table.h"
#include "platform/win32/ce/same_values.h"

#include <ctype.h>

typedef char SameRecordSize[sizeof(DEVMODEW) == sizeof(CE_DEVMODEW) ? 1 : -1];
TARVELIN_SAME_FIELD(dmSize);
TARVELIN_SAME_FIELD(dmFields);
TARVELIN_SAME_FIELD(dmDisplayOrientation);
TARVELIN_SAME_VALUE(DM_DISPLAYORIENTATION);
TARVELIN_SAME_VALUE(DM_DISPLAYQUERYORIENTATION);
TARVELIN_SAME_VALUE(ENUM_CURRENT_SETTINGS);
TARVELIN_SAME_VALUE(CDS_TEST);
TARVELIN_SAME_VALUE(DISP_CHANGE_SUCCESSFUL);
TARVELIN_SAME_VALUE(MB_OK);
TARVELIN_SAME_VALUE(MB_ICONEXCLAMATION);
TARVELIN_SAME_VALUE(MF_STRING);
TARVELIN_SAME_VALUE(TPM_CENTERALIGN);
TARVELIN_SAME_VALUE(TPM_VCENTERALIGN);
TARVELIN_SAME_VALUE(TPM_RETURNCMD);
TARVELIN_SAME_VALUE(SM_CXSCREEN);
TARVELIN_SAME_VALUE(SM_CYSCREEN);
TARVELIN_SAME_VALUE(LMEM_FIXED);
// The CE port hands the program's orientation codes to the driver as they are.
typedef char SameDmdo0[DMDO_0 == kOrientation0 ? 1 : -1];
typedef char SameDmdo90[DMDO_90 == kOrientation90 ? 1 : -1];
typedef char SameDmdo180[DMDO_180 == kOrientation180 ? 1 : -1];
typedef char SameDmdo270[DMDO_270 == kOrientation270 ? 1 : -1];
// The white-space test's class value.
typedef char SameSpaceClass[_SPACE == 8 ? 1 : -1];

int CeEnumDisplaySettings(const WideChar* deviceName, Uint32 modeNumber, CE_DEVMODEW* record) {
    return EnumDisplaySettings(deviceName, modeNumber, reinterpret_cast<DEVMODEW*>(record));
}

long CeChangeDisplaySettingsEx(const WideChar* deviceName, CE_DEVMODEW* record, CeWindow window,
                               Uint32 flags, void* extra) {
    return ChangeDisplaySettingsEx(deviceName, reinterpret_cast<DEVMODEW*>(record),
                                   static_cast<HWND>(window), flags, extra);
}

CeWindow CeGetMessageBoxOwner() {
    return GetForegroundWindow();
}

int CeMessageBox(CeWindow owner, const WideChar* text, const WideChar* caption, Uint32 style) {
    return MessageBox(static_cast<HWND>(owner), text, caption, style);
}

CeWindow CeGetMenuOwner() {
    return GetForegroundWindow();
}

CeMenu CeCreatePopupMenu() {
    return CreatePopupMenu();
}

int CeAppendMenu(CeMenu menu, Uint32 flags, Uint32 identifier, const WideChar* label) {
    return AppendMenu(static_cast<HMENU>(menu), flags, identifier, label);
}

int CeTrackPopupMenuEx(CeMenu menu, Uint32 flags, int x, int y, CeWindow owner, void* extra) {
    return TrackPopupMenuEx(static_cast<HMENU>(menu), flags, x, y, static_cast<HWND>(owner),
                            static_cast<LPTPMPARAMS>(extra));
}

int CeDestroyMenu(CeMenu menu) {
    return DestroyMenu(static_cast<HMENU>(menu));
}

int CeGetSystemMetrics(int index) {
    return GetSystemMetrics(index);
}

Uint32 CeGetModuleFileName(CeInstance instance, WideChar* buffer, Uint32 size) {
    return GetModuleFileName(static_cast<HMODULE>(instance), buffer, size);
}

void* CeLocalAlloc(Uint32 flags, size_t bytes) {
    return LocalAlloc(flags, bytes);
}

int CeIsWhiteSpace(WideChar unit) {
    return iswctype(unit, _SPACE);
}
