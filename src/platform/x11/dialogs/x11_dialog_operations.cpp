// The port's dialogs on X: windows of the program's own, drawn with Xft, up
// only while the core waits for them. What cannot be shown is said on
// standard error, in English: the terminal may not draw Chinese.
#include "platform/x11/dialogs/x11_dialog_operations.h"

#include "orientation/texts.h"
#include "platform/linux/standard_error.h"
#include "platform/x11/dialogs/message_box.h"
#include "platform/x11/dialogs/popup_menu.h"
#include "text/utf.h"

#include <string>
#include <vector>

namespace {

std::string Utf8Of(const WideChar* text) {
    std::string utf8(Utf16ToUtf8(text, nullptr), '\0');
    Utf16ToUtf8(text, utf8.data());
    return utf8;
}

// Null when there is none; then a missing display on an X11 session has
// been said, and the caller says what cannot be shown in other cases.
Display* DisplayOf(X11Dialogs* dialogs) {
    Display* display = ConnectedDisplay(&dialogs->connection);
    if (display == nullptr && dialogs->connection.xlib != nullptr && !dialogs->xwayland) {
        ReportNoDisplay();
    }
    return display;
}

bool ShowMessage(void* state, const Message* message, Point anchor) {
    X11Dialogs* dialogs = static_cast<X11Dialogs*>(state);
    Display* display = DisplayOf(dialogs);
    if (display == nullptr) {
        if (dialogs->xwayland || dialogs->connection.xlib == nullptr) {
            ReportError("%s", message->english);
        }
        return false;
    }
    if (!ShowMessageBox(dialogs->connection.xlib, display, Utf8Of(message->text).c_str(),
                        Utf8Of(kMessageCaption).c_str(), anchor)) {
        ReportError("%s", message->english);
        return false;
    }
    return true;
}

MenuAnswer ChooseFromMenu(void* state, const MenuItem* items, int count, Point anchor,
                          Uint32* picked) {
    X11Dialogs* dialogs = static_cast<X11Dialogs*>(state);
    Display* display = DisplayOf(dialogs);
    if (display == nullptr) {
        if (dialogs->connection.xlib == nullptr) {
            ReportError("cannot show the menu: libX11 cannot be loaded");
        } else if (dialogs->xwayland) {
            ReportError("cannot show the menu: no X display (XWayland)");
        }
        return kMenuNotShown;
    }
    std::vector<std::string> labels;
    std::vector<const char*> pointers;
    for (int i = 0; i < count; ++i) {
        labels.push_back(Utf8Of(items[i].label));
    }
    for (const std::string& label : labels) {
        pointers.push_back(label.c_str());
    }
    // Under XWayland grabs reach no further than the program's own windows:
    // the compositor must manage the menu to give it the keyboard.
    const bool managed = dialogs->xwayland;
    int index = 0;
    const MenuAnswer answer = TrackPopup(dialogs->connection.xlib, display, pointers.data(), count,
                                         anchor, managed, &index);
    if (answer == kMenuPicked) {
        *picked = items[index].code;
    }
    return answer;
}

} // namespace

DialogOperations X11DialogOperations(X11Dialogs* dialogs) {
    return DialogOperations{dialogs, ShowMessage, ChooseFromMenu};
}
