// The seat's keyboard, pointer and touch as the dialog model's events: keys
// through the compositor's keymap, places in the surface's logical pixels.
#ifndef TARVELIN_PLATFORM_WAYLAND_DIALOGS_SEAT_INPUT_H
#define TARVELIN_PLATFORM_WAYLAND_DIALOGS_SEAT_INPUT_H

#include "platform/linux/dialogs/dialog_model.h"
#include "platform/linux/dialogs/xkbcommon_library.h"
#include "platform/wayland/session.h"

#include <stdint.h>

// Where the seat's events go.
struct SeatSink {
    void* target;
    void (*deliver)(void* target, const DialogEvent& event);
};

struct SeatInput {
    WaylandSession* session;
    const XkbcommonLibrary* xkb;
    SeatSink sink;
    wl_proxy* seat; // null when the compositor has none
    wl_proxy* keyboard;
    wl_proxy* pointer;
    wl_proxy* touch;
    xkb_context* context;
    xkb_keymap* keymap;
    xkb_state* state;
    wl_proxy* dialog; // the dialog's surface: places on others are outside it
    bool onDialog;    // the pointer's surface is the dialog's
    wl_fixed_t x, y;  // the pointer's last place
    int32_t finger;   // the touch point followed, -1: none
    bool fingerOnDialog;
    uint32_t serial; // the last key's or press's, which a clipboard offer names
};

// Binds the first seat and its devices as they come; sink gets their
// events while the session is dispatched.
void OpenSeatInput(WaylandSession* session, const XkbcommonLibrary* xkb, SeatSink sink,
                   SeatInput* input);

// Releases the devices, the keymap and the seat.
void CloseSeatInput(SeatInput* input);

#endif
