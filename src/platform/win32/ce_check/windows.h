// Stands in for the Windows Mobile 6 SDK's <windows.h> in the syntax-only
// check of the Windows CE path: the desktop headers, with what CE declares
// differently laid over them. Never part of a real build.
#ifndef TARVELIN_CE_CHECK_WINDOWS_H
#define TARVELIN_CE_CHECK_WINDOWS_H

// CE's WinMain takes the argument line as UTF-16.
#define WinMain DesktopWinMain
#include_next <windows.h>
#undef WinMain

extern "C" int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR line, int show);

// CE's display-settings record: 192 bytes, ending in dmDisplayOrientation.
typedef struct CeDevModeW {
    WCHAR dmDeviceName[32];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;
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
    WCHAR dmFormName[32];
    WORD dmLogPixels;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFlags;
    DWORD dmDisplayFrequency;
    DWORD dmDisplayOrientation;
} CeDevModeW;

#define DEVMODEW CeDevModeW

#undef EnumDisplaySettings
#undef ChangeDisplaySettingsEx
extern "C" BOOL WINAPI EnumDisplaySettings(LPCWSTR deviceName, DWORD modeNumber,
                                           CeDevModeW* record);
extern "C" LONG WINAPI ChangeDisplaySettingsEx(LPCWSTR deviceName, CeDevModeW* record, HWND window,
                                               DWORD flags, LPVOID extra);

#undef DM_DISPLAYORIENTATION
#define DM_DISPLAYORIENTATION 0x00800000L
#define DM_DISPLAYQUERYORIENTATION 0x01000000L
#define DMDO_0 0
#undef DMDO_270
#define DMDO_270 4

#endif
