// The port's dialogs on X: windows of the program's own, drawn with Xft, up
// only while the core waits for them. What cannot be shown is said on
// standard error, in English: the terminal may not draw Chinese.
#include "orientation/texts.h"
#include "platform/linux/standard_error.h"
#include "platform/x11/dialogs/message_box.h"
#include "platform/x11/dialogs/popup_menu.h"
#include "platform/x11/x11_port.h"
#include "text/utf.h"

#include <string>
#include <vector>

namespace {

std::string Utf8Of(const WideChar* text) {
    std::string utf8(Utf16ToUtf8(text, nullptr), '\0');
    Utf16ToUtf8(text, utf8.data());
    return utf8;
}

Display* DisplayOf(void* state) {
    Display* display = ConnectedDisplay(static_cast<X11Connection*>(state));
    if (display == nullptr) {
        ReportNoDisplay();
    }
    return display;
}

bool ShowMessage(void* state, const Message* message) {
    Display* display = DisplayOf(state);
    if (display == nullptr) {
        return false;
    }
    if (!ShowMessageBox(display, Utf8Of(message->text).c_str(), Utf8Of(kMessageCaption).c_str())) {
        ReportError("%s", message->english);
        return false;
    }
    return true;
}

MenuAnswer ChooseFromMenu(void* state, const MenuItem* items, int count, Point anchor,
                          Uint32* picked) {
    Display* display = DisplayOf(state);
    if (display == nullptr) {
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
    int index = 0;
    const MenuAnswer answer = TrackPopup(display, pointers.data(), count, anchor, &index);
    if (answer == kMenuPicked) {
        *picked = items[index].code;
    }
    return answer;
}

} // namespace

DialogOperations X11DialogOperations(X11Connection* connection) {
    return DialogOperations{connection, ShowMessage, ChooseFromMenu};
}
