#include "platform/x11/dialogs/connection.h"

#include "platform/linux/call_within.h"
#include "platform/linux/standard_error.h"

#include <stdlib.h>

namespace {

void* OpenDisplay(void* xlib) {
    return static_cast<const XlibLibrary*>(xlib)->XOpenDisplay(nullptr);
}

} // namespace

Display* ConnectedDisplay(X11Connection* connection) {
    if (!connection->tried) {
        connection->tried = true;
        if (!LoadXlib(&connection->loaded)) {
            return nullptr;
        }
        connection->xlib = &connection->loaded;
        // The keyboard extension would serve only the boxes' key lookups,
        // which the core keyboard mapping answers alike: without it a box
        // makes two round trips fewer.
        connection->xlib->XkbIgnoreExtension(True);
        // After a second a server that has not answered counts as none.
        connection->display = static_cast<Display*>(
            CallWithin(OpenDisplay, const_cast<XlibLibrary*>(connection->xlib), 1));
    }
    return connection->display;
}

void ReportNoDisplay() {
    const char* name = getenv("DISPLAY");
    if (name == nullptr || *name == 0) {
        ReportError("cannot open display: DISPLAY is not set");
    } else {
        ReportError("cannot open display \"%s\"", name);
    }
}
