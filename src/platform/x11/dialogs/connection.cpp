#include "platform/x11/dialogs/connection.h"

#include "platform/linux/connect_within.h"
#include "platform/linux/standard_error.h"

#include <stdlib.h>

namespace {

struct Opening {
    const XcbLibrary* xcb;
    int screen;
};

void* Connect(void* opening) {
    Opening* open = static_cast<Opening*>(opening);
    return open->xcb->connect(nullptr, &open->screen);
}

void Disconnect(void* opening, void* connection) {
    static_cast<Opening*>(opening)->xcb->disconnect(static_cast<xcb_connection_t*>(connection));
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
    Opening opening{&xcb, 0};
    // After a second a server that has not answered counts as none.
    auto* opened = static_cast<xcb_connection_t*>(ConnectWithin(Connect, &opening, 1, Disconnect));
    if (opened == nullptr) {
        return nullptr;
    }
    connection->connection = opened;
    if (xcb.connection_has_error(opened)) {
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb.setup_roots_iterator(xcb.get_setup(opened));
    for (int i = 0; i < opening.screen && screens.rem > 0; ++i) {
        xcb.screen_next(&screens);
    }
    connection->screenNumber = opening.screen;
    connection->screen = screens.rem > 0 ? screens.data : nullptr;
    return connection->screen != nullptr ? opened : nullptr;
}

namespace {

// Replaces the map and state with the device's own now.
bool ReadKeymap(X11Connection* connection) {
    const XkbcommonLibrary& xkb = connection->xkb;
    const XkbX11Library& x11 = connection->xkbX11;
    xkb_keymap* keymap =
        x11.keymap_new_from_device(connection->context, connection->connection,
                                   connection->keyboard, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_state* keys = keymap != nullptr ? x11.state_new_from_device(keymap, connection->connection,
                                                                    connection->keyboard)
                                        : nullptr;
    if (keys == nullptr) {
        if (keymap != nullptr) {
            xkb.keymap_unref(keymap);
        }
        return false;
    }
    if (connection->keys != nullptr) {
        xkb.state_unref(connection->keys);
        xkb.keymap_unref(connection->keymap);
    }
    connection->keymap = keymap;
    connection->keys = keys;
    return true;
}

} // namespace

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
    if (!x11.setup_xkb_extension(server, XKB_X11_MIN_MAJOR_XKB_VERSION,
                                 XKB_X11_MIN_MINOR_XKB_VERSION,
                                 XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr,
                                 &connection->xkbEvent, nullptr)) {
        return nullptr;
    }
    connection->keyboard = x11.get_core_keyboard_device_id(server);
    connection->context = connection->xkb.context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
    if (connection->keyboard < 0 || connection->context == nullptr || !ReadKeymap(connection)) {
        return nullptr;
    }
    // A map notice names the parts that changed: those a keymap is made of.
    const uint16_t changes = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
    const uint16_t parts = XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS |
                           XCB_XKB_MAP_PART_MODIFIER_MAP | XCB_XKB_MAP_PART_EXPLICIT_COMPONENTS |
                           XCB_XKB_MAP_PART_KEY_ACTIONS | XCB_XKB_MAP_PART_VIRTUAL_MODS |
                           XCB_XKB_MAP_PART_VIRTUAL_MOD_MAP;
    xcb_xkb_select_events_details_t details = {};
    details.affectNewKeyboard = XCB_XKB_NKN_DETAIL_KEYCODES;
    details.newKeyboardDetails = XCB_XKB_NKN_DETAIL_KEYCODES;
    x11.select_events_aux(server, static_cast<xcb_xkb_device_spec_t>(connection->keyboard), changes,
                          0, 0, parts, parts, &details);
    return connection->keys;
}

void FollowKeyboard(X11Connection* connection, const xcb_generic_event_t* event) {
    // Every XKB event has the same code; its own kind comes next.
    const uint8_t kind = reinterpret_cast<const xcb_xkb_map_notify_event_t*>(event)->xkbType;
    if (connection->keys != nullptr && event->response_type == connection->xkbEvent &&
        (kind == XCB_XKB_NEW_KEYBOARD_NOTIFY || kind == XCB_XKB_MAP_NOTIFY)) {
        ReadKeymap(connection);
    }
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
