// The dialogs' connection to the X server, on the shared libxcb (see
// xcb_library.h), and the keyboard map read through it.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_CONNECTION_H
#define TARVELIN_PLATFORM_X11_DIALOGS_CONNECTION_H

#include "platform/linux/dialogs/xkbcommon_library.h"
#include "platform/x11/dialogs/xcb_library.h"

struct X11Connection {
    bool tried = false;
    bool loaded = false; // libxcb
    XcbLibrary xcb{};
    xcb_connection_t* connection = nullptr;
    const xcb_screen_t* screen = nullptr;
    int screenNumber = 0;
    bool keyboardTried = false;
    XkbcommonLibrary xkb{};
    XkbX11Library xkbX11{};
    xkb_context* context = nullptr;
    xkb_keymap* keymap = nullptr;
    xkb_state* keys = nullptr; // null when there is no keyboard map
    int32_t keyboard = -1;     // the core keyboard's device
    uint8_t xkbEvent = 0;      // the code of every XKB event
};

// Opened from $DISPLAY on first use and kept until CloseConnection; null
// when libxcb cannot be loaded or the display not opened within a second
// (tried once only).
xcb_connection_t* ConnectedDisplay(X11Connection* connection);

// The core keyboard's map through xkbcommon-x11, read on first use, with
// its changes asked for; null when it cannot be had.
xkb_state* KeyboardState(X11Connection* connection);

// Reads the map again after event, when it says the map changed (a virtual
// keyboard, such as a compositor's for typed keys, brings its own).
void FollowKeyboard(X11Connection* connection, const xcb_generic_event_t* event);

// Lets go of the keyboard map and the connection.
void CloseConnection(X11Connection* connection);

// Says on standard error that the display cannot be opened, naming it.
void ReportNoDisplay();

#endif
