// The one seam between the portable core and a platform. Every backend
// (Windows CE, desktop Windows, X11, the tests' recording platform) defines
// these functions; the build links exactly one of them.
//
// The vocabulary is Windows CE's: its record layout and constant values. The
// names carry a CE_ or Platform prefix so that a backend can include
// <windows.h>, whose macros (MessageBox, DM_DISPLAYORIENTATION, ...) would
// otherwise rewrite them. Must stay C++03: the CE compilers are.
#ifndef TARVELIN_PLATFORM_PLATFORM_H
#define TARVELIN_PLATFORM_PLATFORM_H

#include <stddef.h>

// The CE compilers have no <stdint.h>; every target here has a 32-bit int.
typedef int Int32;
typedef unsigned int Uint32;
typedef unsigned short Uint16;

// A UTF-16 code unit. On Windows that is wchar_t, so strings pass to the API
// unchanged; elsewhere wchar_t is 32 bits wide.
#if defined(_WIN32)
typedef wchar_t WideChar;
#else
typedef Uint16 WideChar;
#endif

typedef char PlatformCheckInt32[sizeof(Int32) == 4 ? 1 : -1];
typedef char PlatformCheckUint16[sizeof(Uint16) == 2 ? 1 : -1];
typedef char PlatformCheckWideChar[sizeof(WideChar) == 2 ? 1 : -1];

typedef void* PlatformInstance;
typedef void* PlatformWindow;
typedef void* PlatformMenu;

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

typedef char PlatformCheckDevModeSize[sizeof(CE_DEVMODEW) == 192 ? 1 : -1];
typedef char
    PlatformCheckDevModeOrientation[offsetof(CE_DEVMODEW, dmDisplayOrientation) == 188 ? 1 : -1];
typedef char PlatformCheckDevModeFields[offsetof(CE_DEVMODEW, dmFields) == 72 ? 1 : -1];

const Uint16 CE_DEVMODEW_SIZE = 192;
const Uint32 CE_DM_DISPLAYORIENTATION = 0x00800000u;
const Uint32 CE_DM_DISPLAYQUERYORIENTATION = 0x01000000u;
const Uint32 CE_ENUM_CURRENT_SETTINGS = 0xFFFFFFFFu;
const Uint32 CE_CDS_TEST = 2;
const long CE_DISP_CHANGE_SUCCESSFUL = 0;
const Uint32 CE_DMDO_0 = 0;
const Uint32 CE_DMDO_90 = 1;
const Uint32 CE_DMDO_180 = 2;
const Uint32 CE_DMDO_270 = 4;
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
int PlatformEnumDisplaySettings(const WideChar* deviceName, Uint32 modeNumber, CE_DEVMODEW* record);
long PlatformChangeDisplaySettingsEx(const WideChar* deviceName, CE_DEVMODEW* record,
                                     PlatformWindow window, Uint32 flags, void* extra);

// Message box and the two owner windows.
PlatformWindow PlatformGetMessageBoxOwner();
int PlatformMessageBox(PlatformWindow owner, const WideChar* text, const WideChar* caption,
                       Uint32 style);
PlatformWindow PlatformGetMenuOwner();

// Popup menu and screen size.
PlatformMenu PlatformCreatePopupMenu();
int PlatformAppendMenu(PlatformMenu menu, Uint32 flags, Uint32 identifier, const WideChar* label);
int PlatformTrackPopupMenuEx(PlatformMenu menu, Uint32 flags, int x, int y, PlatformWindow owner,
                             void* extra);
int PlatformDestroyMenu(PlatformMenu menu);
int PlatformGetSystemMetrics(int index);

// Start-up services.
Uint32 PlatformGetModuleFileName(PlatformInstance instance, WideChar* buffer, Uint32 size);
void* PlatformLocalAlloc(Uint32 flags, size_t bytes);
int PlatformIsWhiteSpace(WideChar unit);

#endif
