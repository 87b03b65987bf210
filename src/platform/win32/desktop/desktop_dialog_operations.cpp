// The message box and the popup menu.
#include "platform/win32/desktop/desktop_dialog_operations.h"

#include <windows.h>

#include "orientation/texts.h"
#include "platform/win32/menu_identifiers.h"

namespace {

// Owning the box by another program's window would disable that window
// while the box is up.
bool ShowMessage(void*, const Message* message, Point) {
    return MessageBoxW(nullptr, message->text, kMessageCaption, MB_OK | MB_ICONEXCLAMATION) != 0;
}

bool Fill(HMENU menu, const MenuItem* items, int count) {
    for (int i = 0; i < count; ++i) {
        if (!AppendMenuW(menu, MF_STRING, kFirstMenuIdentifier + items[i].code, items[i].label)) {
            return false;
        }
    }
    return true;
}

// A popup menu takes keyboard input only when its owner is a foreground
// window of this thread, and the program has no window of its own. False
// when no owner can be made.
bool Track(HMENU menu, Point anchor, int* identifier) {
    const HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (owner == nullptr) {
        return false;
    }
    SetForegroundWindow(owner);
    *identifier = TrackPopupMenuEx(menu, TPM_CENTERALIGN | TPM_VCENTERALIGN | TPM_RETURNCMD,
                                   anchor.x, anchor.y, owner, nullptr);
    DestroyWindow(owner);
    return true;
}

MenuAnswer ChooseFromMenu(void*, const MenuItem* items, int count, Point anchor, Uint32* picked) {
    const HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return kMenuNotShown;
    }
    int identifier = 0;
    const bool shown = Fill(menu, items, count) && Track(menu, anchor, &identifier);
    DestroyMenu(menu);
    if (!shown) {
        return kMenuNotShown;
    }
    return CodeOfIdentifier(items, count, identifier, picked) ? kMenuPicked : kMenuClosed;
}

} // namespace

DialogOperations DesktopDialogOperations() {
    return {nullptr, ShowMessage, ChooseFromMenu};
}
