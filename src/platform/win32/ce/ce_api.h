// The Windows CE calls the CE port makes, with CE's record layout and
// constant values. COREDLL provides them on a device (coredll.cpp); the unit
// tests record them. The names carry a Ce or CE_ prefix so that a file can
// include <windows.h>, whose macros (MessageBox, DM_DISPLAYORIENTATION, ...)
// would otherwise rewrite them. Must stay C++03: the CE compilers are.
#ifndef TARVELIN_PLATFORM_WIN32_CE_CE_API_H
#define TARVELIN_PLATFORM_WIN32_CE_CE_API_H

#include "platform/port.h"

#include <stddef.h>

typedef void* CeInstance;
typedef void* CeWindow;
typedef void* CeMenu;

// The display-settings record exactly as Windows CE lays it out.
struct CE_DEVMODEW {
    WideChar dmDeviceName[32];
    Uint16 dmSpecVersion;
    Uint16 dmDriverVersion;
    Uint16 dmSize;
    Uint16 dmDriverExtra;
    Uint32 dmFields;
    short dmOrientation;
    short dmPaperSize;
    short dmPaperLength;
    short dmPaperWidth;
    short dmScale;
    short dmCopies;
    short dmDefaultSource;
    short dmPrintQuality;
    short dmColor;
    short dmDuplex;
    short dmYResolution;
    short dmTTOption;
    short dmCollate;
    WideChar dmFormName[32];
    Uint16 dmLogPixels;
    Uint32 dmBitsPerPel;
    Uint32 dmPelsWidth;
    Uint32 dmPelsHeight;
    Uint32 dmDisplayFlags;
    Uint32 dmDisplayFrequency;
    Uint32 dmDisplayOrientation;
};

typedef char CeCheckDevModeSize[sizeof(CE_DEVMODEW) == 192 ? 1 : -1];
typedef char CeCheckDevModeOrientation[offsetof(CE_DEVMODEW, dmDisplayOrientation) == 188 ? 1 : -1];
typedef char CeCheckDevModeFields[offsetof(CE_DEVMODEW, dmFields) == 72 ? 1 : -1];

const Uint16 CE_DEVMODEW_SIZE = 192;
const Uint32 CE_DM_DISPLAYORIENTATION = 0x00800000u;
const Uint32 CE_DM_DISPLAYQUERYORIENTATION = 0x01000000u;
const Uint32 CE_ENUM_CURRENT_SETTINGS = 0xFFFFFFFFu;
const Uint32 CE_CDS_TEST = 2;
const long CE_DISP_CHANGE_SUCCESSFUL = 0;
const Uint32 CE_MB_OK = 0x00;
const Uint32 CE_MB_ICONEXCLAMATION = 0x30;
const Uint32 CE_MF_STRING = 0;
const Uint32 CE_TPM_CENTERALIGN = 0x0004;
const Uint32 CE_TPM_VCENTERALIGN = 0x0010;
const Uint32 CE_TPM_RETURNCMD = 0x0100;
const int CE_SM_CXSCREEN = 0;
const int CE_SM_CYSCREEN = 1;
const Uint32 CE_LMEM_FIXED = 0;

// Display settings.
int CeEnumDisplaySettings(const WideChar* deviceName, Uint32 modeNumber, CE_DEVMODEW* record);
long CeChangeDisplaySettingsEx(const WideChar* deviceName, CE_DEVMODEW* record, CeWindow window,
                               Uint32 flags, void* extra);

// Message box and the two owner windows.
CeWindow CeGetMessageBoxOwner();
int CeMessageBox(CeWindow owner, const WideChar* text, const WideChar* caption, Uint32 style);
CeWindow CeGetMenuOwner();

// Popup menu and screen size.
CeMenu CeCreatePopupMenu();
int CeAppendMenu(CeMenu menu, Uint32 flags, Uint32 identifier, const WideChar* label);
int CeTrackPopupMenuEx(CeMenu menu, Uint32 flags, int x, int y, CeWindow owner, void* extra);
int CeDestroyMenu(CeMenu menu);
int CeGetSystemMetrics(int index);

// Start-up services.
Uint32 CeGetModuleFileName(CeInstance instance, WideChar* buffer, Uint32 size);
void* CeLocalAlloc(Uint32 flags, size_t bytes);
// iswctype with the space class.
int CeIsWhiteSpace(WideChar unit);

#endif
