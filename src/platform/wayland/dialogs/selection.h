// The clipboard under Wayland: text offered through wl_data_device_manager
// and written to whoever pastes it, while the dialog that copied it is up.
#ifndef TARVELIN_PLATFORM_WAYLAND_DIALOGS_SELECTION_H
#define TARVELIN_PLATFORM_WAYLAND_DIALOGS_SELECTION_H

#include "platform/wayland/session.h"

#include <stdint.h>

struct WaylandSelection {
    WaylandSession* session;
    wl_proxy* manager;
    wl_proxy* device; // the seat's data device; null when the compositor has none
    wl_proxy* source; // what is offered now, or null
    wl_proxy* offer;  // another client's last offer, or null
    const char* text; // UTF-8, kept by the caller while offered
};

// The data device of seat, when the compositor offers a clipboard.
void OpenSelection(WaylandSession* session, wl_proxy* seat, WaylandSelection* selection);

// Offers text as the clipboard's, for the input event of serial.
void OfferText(WaylandSelection* selection, const char* text, uint32_t serial);

// Withdraws the offer and releases the device.
void CloseSelection(WaylandSelection* selection);

#endif
