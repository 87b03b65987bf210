// Message box, popup menu and screen size on X: windows of the program's
// own, drawn with Xft, up only while the core waits for them.
#include "platform/platform.h"
#include "platform/x11/connection.h"
#include "platform/x11/message_box.h"
#include "platform/x11/popup_menu.h"
#include "platform/x11/standard_error.h"
#include "platform/x11/utf8.h"

#include <stdlib.h>

namespace {

struct PopupMenu {
    PopupItem* items;
    int count;
};

// A new NUL-terminated UTF-8 copy, to be freed; null when memory runs out.
char* NewUtf8(const WideChar* text) {
    const size_t bytes = Utf16ToUtf8(text, nullptr);
    char* copy = static_cast<char*>(malloc(bytes + 1));
    if (copy != nullptr) {
        Utf16ToUtf8(text, copy);
        copy[bytes] = 0;
    }
    return copy;
}

PopupAlign Alignment(Uint32 flags, Uint32 centre) {
    return (flags & centre) != 0 ? kAlignCentre : kAlignStart;
}

} // namespace

// The program owns no window: its boxes and menu stand on their own.
PlatformWindow PlatformGetMessageBoxOwner() {
    return nullptr;
}

PlatformWindow PlatformGetMenuOwner() {
    return nullptr;
}

// Every box the program shows is MB_OK | MB_ICONEXCLAMATION, so that is the
// only kind drawn; the answer is always IDOK.
int PlatformMessageBox(PlatformWindow, const WideChar* text, const WideChar* caption, Uint32) {
    Display* display = X11Connection();
    if (display == nullptr) {
        ExitWithoutDisplay(text);
    }
    char* text8 = NewUtf8(text);
    char* caption8 = NewUtf8(caption);
    if (text8 == nullptr || caption8 == nullptr || !ShowMessageBox(display, text8, caption8)) {
        WriteToStandardError(text);
    }
    free(text8);
    free(caption8);
    return 1;
}

PlatformMenu PlatformCreatePopupMenu() {
    return calloc(1, sizeof(PopupMenu));
}

int PlatformAppendMenu(PlatformMenu handle, Uint32, Uint32 identifier, const WideChar* label) {
    PopupMenu* menu = static_cast<PopupMenu*>(handle);
    if (menu == nullptr) {
        return 0;
    }
    PopupItem* items =
        static_cast<PopupItem*>(realloc(menu->items, (menu->count + 1) * sizeof(PopupItem)));
    if (items == nullptr) {
        return 0;
    }
    menu->items = items;
    char* text = NewUtf8(label);
    if (text == nullptr) {
        return 0;
    }
    items[menu->count].identifier = identifier;
    items[menu->count].label = text;
    ++menu->count;
    return 1;
}

int PlatformTrackPopupMenuEx(PlatformMenu handle, Uint32 flags, int x, int y, PlatformWindow,
                             void*) {
    const PopupMenu* menu = static_cast<const PopupMenu*>(handle);
    Display* display = X11Connection();
    if (menu == nullptr || display == nullptr) {
        return 0;
    }
    return static_cast<int>(TrackPopup(display, menu->items, menu->count, x, y,
                                       Alignment(flags, CE_TPM_CENTERALIGN),
                                       Alignment(flags, CE_TPM_VCENTERALIGN)));
}

int PlatformDestroyMenu(PlatformMenu handle) {
    PopupMenu* menu = static_cast<PopupMenu*>(handle);
    if (menu == nullptr) {
        return 0;
    }
    for (int i = 0; i < menu->count; ++i) {
        free(menu->items[i].label);
    }
    free(menu->items);
    free(menu);
    return 1;
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
