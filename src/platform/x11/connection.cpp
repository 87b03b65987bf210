#include "platform/x11/connection.h"

#include <X11/XKBlib.h>

namespace {

int firstError = 0;
XErrorHandler previousHandler = nullptr;

int NoteError(Display*, XErrorEvent* error) {
    if (firstError == 0) {
        firstError = error->error_code;
    }
    return 0;
}

} // namespace

Display* X11Connection() {
    static bool tried = false;
    static Display* display = nullptr;
    if (!tried) {
        tried = true;
        // The keyboard extension would serve only the boxes' key lookups,
        // which the core keyboard mapping answers alike: without it every
        // run makes two round trips fewer.
        XkbIgnoreExtension(True);
        display = XOpenDisplay(nullptr);
    }
    return display;
}

void BeginXErrorTrap() {
    firstError = 0;
    previousHandler = XSetErrorHandler(NoteError);
}

void EndXErrorTrap() {
    XSetErrorHandler(previousHandler);
}

int TrappedXError() {
    return firstError;
}
