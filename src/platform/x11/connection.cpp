#include "platform/x11/connection.h"

Display* X11Connection() {
    static bool tried = false;
    static Display* display = nullptr;
    if (!tried) {
        tried = true;
        display = XOpenDisplay(nullptr);
    }
    return display;
}
