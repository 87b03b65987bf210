// Every platform operation but the display settings, for Windows CE and
// desktop Windows alike: the seam's values are the SDK's.
#include "platform/platform.h"

#include <windows.h>

#include "platform/win32/same_values.h"

#include <ctype.h>

TARVELIN_SAME_VALUE(MB_OK);
TARVELIN_SAME_VALUE(MB_ICONEXCLAMATION);
TARVELIN_SAME_VALUE(MF_STRING);
TARVELIN_SAME_VALUE(TPM_CENTERALIGN);
TARVELIN_SAME_VALUE(TPM_VCENTERALIGN);
TARVELIN_SAME_VALUE(TPM_RETURNCMD);
TARVELIN_SAME_VALUE(SM_CXSCREEN);
TARVELIN_SAME_VALUE(SM_CYSCREEN);
TARVELIN_SAME_VALUE(LMEM_FIXED);
// The white-space test's class value.
typedef char SameSpaceClass[_SPACE == 8 ? 1 : -1];

#if defined(_WIN32_WCE)

PlatformWindow PlatformGetMessageBoxOwner() {
    return GetForegroundWindow();
}

PlatformWindow PlatformGetMenuOwner() {
    return GetForegroundWindow();
}

int PlatformTrackPopupMenuEx(PlatformMenu menu, Uint32 flags, int x, int y, PlatformWindow owner,
                             void* extra) {
    return TrackPopupMenuEx(static_cast<HMENU>(menu), flags, x, y, static_cast<HWND>(owner),
                            static_cast<LPTPMPARAMS>(extra));
}

#else

namespace {

// The menu's owner while it is shown, made by PlatformGetMenuOwner.
HWND g_menuOwner = NULL;

} // namespace

// Owning the box by another program's window would disable that window
// while the box is up.
PlatformWindow PlatformGetMessageBoxOwner() {
    return NULL;
}

// A popup menu takes keyboard input only when its owner is a foreground
// window of this thread, and the program has no window of its own.
PlatformWindow PlatformGetMenuOwner() {
    if (g_menuOwner == NULL) {
        g_menuOwner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, NULL,
                                      NULL, GetModuleHandleW(NULL), NULL);
    }
    return g_menuOwner;
}

int PlatformTrackPopupMenuEx(PlatformMenu menu, Uint32 flags, int x, int y, PlatformWindow owner,
                             void* extra) {
    const HWND window = static_cast<HWND>(owner);
    if (window != NULL && window == g_menuOwner) {
        SetForegroundWindow(window);
    }
    const int picked = TrackPopupMenuEx(static_cast<HMENU>(menu), flags, x, y, window,
                                        static_cast<LPTPMPARAMS>(extra));
    if (window != NULL && window == g_menuOwner) {
        // The partner of the foreground switch: without it a later menu of
        // this thread can close as soon as it opens.
        PostMessageW(window, WM_NULL, 0, 0);
        DestroyWindow(window);
        g_menuOwner = NULL;
    }
    return picked;
}

#endif

int PlatformMessageBox(PlatformWindow owner, const WideChar* text, const WideChar* caption,
                       Uint32 style) {
    return MessageBox(static_cast<HWND>(owner), text, caption, style);
}

PlatformMenu PlatformCreatePopupMenu() {
    return CreatePopupMenu();
}

int PlatformAppendMenu(PlatformMenu menu, Uint32 flags, Uint32 identifier, const WideChar* label) {
    return AppendMenu(static_cast<HMENU>(menu), flags, identifier, label);
}

int PlatformDestroyMenu(PlatformMenu menu) {
    return DestroyMenu(static_cast<HMENU>(menu));
}

int PlatformGetSystemMetrics(int index) {
    return GetSystemMetrics(index);
}

Uint32 PlatformGetModuleFileName(PlatformInstance instance, WideChar* buffer, Uint32 size) {
    return GetModuleFileName(static_cast<HMODULE>(instance), buffer, size);
}

void* PlatformLocalAlloc(Uint32 flags, size_t bytes) {
    return LocalAlloc(flags, bytes);
}

int PlatformIsWhiteSpace(WideChar unit) {
    return iswctype(unit, _SPACE);
}
