// Message box, menu and screen size until the X windows for them land: the
// message goes to standard error and the menu answers "no choice".
#include "platform/platform.h"
#include "platform/x11/connection.h"
#include "platform/x11/standard_error.h"

PlatformWindow PlatformGetMessageBoxOwner() {
    return nullptr;
}

int PlatformMessageBox(PlatformWindow, const WideChar* text, const WideChar*, Uint32) {
    if (X11Connection() == nullptr) {
        ExitWithoutDisplay(text);
    }
    WriteToStandardError(text);
    return 1;
}

PlatformWindow PlatformGetMenuOwner() {
    return nullptr;
}

PlatformMenu PlatformCreatePopupMenu() {
    return nullptr;
}

int PlatformAppendMenu(PlatformMenu, Uint32, Uint32, const WideChar*) {
    return 0;
}

int PlatformTrackPopupMenuEx(PlatformMenu, Uint32, int, int, PlatformWindow, void*) {
    return 0;
}

int PlatformDestroyMenu(PlatformMenu) {
    return 0;
}

int PlatformGetSystemMetrics(int index) {
    Display* display = X11Connection();
    if (display == nullptr) {
        return 0;
    }
    const int screen = DefaultScreen(display);
    return index == CE_SM_CXSCREEN   ? DisplayWidth(display, screen)
           : index == CE_SM_CYSCREEN ? DisplayHeight(display, screen)
                                     : 0;
}
