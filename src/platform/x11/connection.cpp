#include "platform/x11/connection.h"

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
