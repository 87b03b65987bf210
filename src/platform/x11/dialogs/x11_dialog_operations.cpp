// The port's dialogs on X: windows of the program's own, drawn by the shared
// painter, up only while the core waits for them. What cannot be shown is
// said on standard error, in English: the terminal may not draw Chinese.
#include "platform/x11/dialogs/x11_dialog_operations.h"

#include "orientation/texts.h"
#include "platform/linux/dialogs/utf8_texts.h"
#include "platform/linux/standard_error.h"
#include "platform/x11/dialogs/dialog_window.h"

namespace {

// Null when there is none; then a missing display on an X11 session has
// been said, and the caller says what cannot be shown in other cases.
X11Connection* ConnectionOf(X11Dialogs* dialogs) {
    if (ConnectedDisplay(&dialogs->connection) != nullptr) {
        return &dialogs->connection;
    }
    if (dialogs->connection.loaded && !dialogs->xwayland) {
        ReportNoDisplay();
    }
    return nullptr;
}

const uint32_t kBoxEvents = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS |
                            XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                            XCB_EVENT_MASK_STRUCTURE_NOTIFY;
const uint32_t kMenuEvents =
    kBoxEvents | XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_FOCUS_CHANGE;

// A modal box of its own: the warning sign, one line of text, one OK
// button. Needs no window manager: without one it draws its caption and
// takes the keyboard itself.
bool ShowMessageBox(X11Connection* connection, const char* text, const char* caption,
                    Point anchor) {
    const bool managed = HasWindowManager(connection);
    DialogWindow box = DialogWindow();
    if (OpenDialog(&box, connection, !managed) != nullptr) {
        return false;
    }
    box.state = MessageBoxState(LayoutMessageBox(&box.painter, text, !managed), text, caption);
    ShowDialogWindow(&box, anchor, false, kBoxEvents, caption, "tarvelin", kNetWmStateModal);
    RunDialog(&box, !managed);
    CloseDialog(&box);
    return true;
}

bool ShowMessage(void* state, const Message* message, Point anchor) {
    X11Dialogs* dialogs = static_cast<X11Dialogs*>(state);
    X11Connection* connection = ConnectionOf(dialogs);
    if (connection == nullptr) {
        if (dialogs->xwayland || !dialogs->connection.loaded) {
            ReportError("%s", message->english);
        }
        return false;
    }
    if (!ShowMessageBox(connection, Utf8Of(message->text).c_str(), Utf8Of(kMessageCaption).c_str(),
                        anchor)) {
        ReportError("%s", message->english);
        return false;
    }
    return true;
}

// Shows the labels: kMenuPicked with *picked the index of the item picked
// (Up/Down and Return, or a click), kMenuClosed without a choice (Escape, a
// click outside). kMenuNotShown has been said on standard error.
MenuAnswer TrackPopup(X11Connection* connection, const char* const* labels, int count, Point anchor,
                      bool managed, int* picked) {
    DialogWindow menu = DialogWindow();
    if (const char* reason = OpenDialog(&menu, connection, false)) {
        ReportError("cannot show the menu: %s", reason);
        return kMenuNotShown;
    }
    menu.state = PopupMenuState(LayoutPopupMenu(&menu.painter, labels, count), labels, count);
    ShowDialogWindow(&menu, anchor, !managed, kMenuEvents, "Tarvelin", "tarvelin-menu", -1);
    const bool grabbed = managed || GrabInput(&menu);
    const DialogAnswer answer = grabbed ? RunDialog(&menu, false) : kDialogClosed;
    CloseDialog(&menu);
    if (!grabbed) {
        ReportError("cannot show the menu: another client holds the keyboard or pointer");
        return kMenuNotShown;
    }
    *picked = menu.state.selected;
    return answer == kDialogPicked ? kMenuPicked : kMenuClosed;
}

MenuAnswer ChooseFromMenu(void* state, const MenuItem* items, int count, Point anchor,
                          Uint32* picked) {
    X11Dialogs* dialogs = static_cast<X11Dialogs*>(state);
    X11Connection* connection = ConnectionOf(dialogs);
    if (connection == nullptr) {
        if (!dialogs->connection.loaded) {
            ReportError("cannot show the menu: libxcb cannot be loaded");
        } else if (dialogs->xwayland) {
            ReportError("cannot show the menu: no X display (XWayland)");
        }
        return kMenuNotShown;
    }
    const Utf8Labels labels(items, count);
    // Under XWayland grabs reach no further than the program's own windows:
    // the compositor must manage the menu to give it the keyboard.
    int index = kNoItem;
    const MenuAnswer answer =
        TrackPopup(connection, labels.pointers.data(), count, anchor, dialogs->xwayland, &index);
    if (answer == kMenuPicked) {
        *picked = items[index].code;
    }
    return answer;
}

} // namespace

DialogOperations X11DialogOperations(X11Dialogs* dialogs) {
    return DialogOperations{dialogs, ShowMessage, ChooseFromMenu};
}

void CloseX11Dialogs(X11Dialogs* dialogs) {
    CloseConnection(&dialogs->connection);
}
