#include "platform/x11/dialogs/connection.h"

#include "platform/linux/call_within.h"
#include "platform/linux/standard_error.h"

#include <stdlib.h>

namespace {

// What an opener that may outlive its wait reads and writes: it must
// outlive whatever state the run keeps.
struct Opening {
    decltype(&::xcb_connect) connect;
    int screen;
};
Opening gOpening;

void* Connect(void* opening) {
    Opening* open = static_cast<Opening*>(opening);
    return open->connect(nullptr, &open->screen);
}

} // namespace

xcb_connection_t* ConnectedDisplay(X11Connection* connection) {
    if (connection->tried) {
        return connection->screen != nullptr ? connection->connection : nullptr;
    }
    connection->tried = true;
    connection->loaded = LoadXcb(&connection->xcb);
    if (!connection->loaded) {
        return nullptr;
    }
    const XcbLibrary& xcb = connection->xcb;
    gOpening.connect = xcb.connect;
    // After a second a server that has not answered counts as none.
    auto* opened = static_cast<xcb_connection_t*>(CallWithin(Connect, &gOpening, 1));
    if (opened == nullptr) {
        return nullptr;
    }
    connection->connection = opened;
    if (xcb.connection_has_error(opened)) {
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb.setup_roots_iterator(xcb.get_setup(opened));
    for (int i = 0; i < gOpening.screen && screens.rem > 0; ++i) {
        xcb.screen_next(&screens);
    }
    connection->screenNumber = gOpening.screen;
    connection->screen = screens.rem > 0 ? screens.data : nullptr;
    return connection->screen != nullptr ? opened : nullptr;
}

xkb_state* KeyboardState(X11Connection* connection) {
    if (connection->keyboardTried) {
        return connection->keys;
    }
    connection->keyboardTried = true;
    if (!LoadXkbcommon(&connection->xkb) || !LoadXkbX11(&connection->xkbX11)) {
        return nullptr;
    }
    const XkbX11Library& x11 = connection->xkbX11;
    xcb_connection_t* server = connection->connection;
    if (!x11.setup_xkb_extension(
            server, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr)) {
        return nullptr;
    }
    const int32_t device = x11.get_core_keyboard_device_id(server);
    connection->context = connection->xkb.context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
    if (device < 0 || connection->context == nullptr) {
        return nullptr;
    }
    connection->keymap = x11.keymap_new_from_device(connection->context, server, device,
                                                    XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (connection->keymap != nullptr) {
        connection->keys = x11.state_new_from_device(connection->keymap, server, device);
    }
    return connection->keys;
}

void CloseConnection(X11Connection* connection) {
    const XkbcommonLibrary& xkb = connection->xkb;
    if (connection->keys != nullptr) {
        xkb.state_unref(connection->keys);
    }
    if (connection->keymap != nullptr) {
        xkb.keymap_unref(connection->keymap);
    }
    if (connection->context != nullptr) {
        xkb.context_unref(connection->context);
    }
    if (connection->connection != nullptr) {
        connection->xcb.disconnect(connection->connection);
    }
    *connection = X11Connection();
}

void ReportNoDisplay() {
    const char* name = getenv("DISPLAY");
    if (name == nullptr || *name == 0) {
        ReportError("cannot open display: DISPLAY is not set");
    } else {
        ReportError("cannot open display \"%s\"", name);
    }
}
