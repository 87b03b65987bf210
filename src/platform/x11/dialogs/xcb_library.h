// libxcb and xkbcommon-x11 for the dialogs, loaded only when one is shown.
// The turn links its own XCB in, which no loaded library can reach:
// xkbcommon-x11 must be handed a connection of the shared libxcb, so the
// dialogs open theirs with it.
#ifndef TARVELIN_PLATFORM_X11_DIALOGS_XCB_LIBRARY_H
#define TARVELIN_PLATFORM_X11_DIALOGS_XCB_LIBRARY_H

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
// xcb/xkb.h names a member "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

// The functions used, under their names less the "xcb_" prefix.
struct XcbLibrary {
    decltype(&::xcb_connect) connect;
    decltype(&::xcb_disconnect) disconnect;
    decltype(&::xcb_connection_has_error) connection_has_error;
    decltype(&::xcb_get_setup) get_setup;
    decltype(&::xcb_setup_roots_iterator) setup_roots_iterator;
    decltype(&::xcb_screen_next) screen_next;
    decltype(&::xcb_setup_pixmap_formats) setup_pixmap_formats;
    decltype(&::xcb_setup_pixmap_formats_length) setup_pixmap_formats_length;
    decltype(&::xcb_get_maximum_request_length) get_maximum_request_length;
    decltype(&::xcb_generate_id) generate_id;
    decltype(&::xcb_flush) flush;
    decltype(&::xcb_wait_for_event) wait_for_event;
    decltype(&::xcb_intern_atom) intern_atom;
    decltype(&::xcb_intern_atom_reply) intern_atom_reply;
    decltype(&::xcb_get_property) get_property;
    decltype(&::xcb_get_property_reply) get_property_reply;
    decltype(&::xcb_get_property_value) get_property_value;
    decltype(&::xcb_get_property_value_length) get_property_value_length;
    decltype(&::xcb_change_property) change_property;
    decltype(&::xcb_create_window) create_window;
    decltype(&::xcb_destroy_window) destroy_window;
    decltype(&::xcb_map_window) map_window;
    decltype(&::xcb_configure_window) configure_window;
    decltype(&::xcb_create_gc) create_gc;
    decltype(&::xcb_free_gc) free_gc;
    decltype(&::xcb_put_image) put_image;
    decltype(&::xcb_grab_pointer) grab_pointer;
    decltype(&::xcb_grab_pointer_reply) grab_pointer_reply;
    decltype(&::xcb_grab_keyboard) grab_keyboard;
    decltype(&::xcb_grab_keyboard_reply) grab_keyboard_reply;
    decltype(&::xcb_ungrab_pointer) ungrab_pointer;
    decltype(&::xcb_ungrab_keyboard) ungrab_keyboard;
    decltype(&::xcb_set_input_focus) set_input_focus;
    decltype(&::xcb_get_input_focus) get_input_focus;
    decltype(&::xcb_get_input_focus_reply) get_input_focus_reply;
    decltype(&::xcb_get_selection_owner) get_selection_owner;
    decltype(&::xcb_get_selection_owner_reply) get_selection_owner_reply;
    decltype(&::xcb_set_selection_owner) set_selection_owner;
    decltype(&::xcb_send_event) send_event;
};

// The functions used, under their names less the "xkb_x11_" prefix, and
// from libxcb-xkb (which it loads) the request that asks for keymap changes.
struct XkbX11Library {
    decltype(&::xkb_x11_setup_xkb_extension) setup_xkb_extension;
    decltype(&::xkb_x11_get_core_keyboard_device_id) get_core_keyboard_device_id;
    decltype(&::xkb_x11_keymap_new_from_device) keymap_new_from_device;
    decltype(&::xkb_x11_state_new_from_device) state_new_from_device;
    decltype(&::xcb_xkb_select_events_aux) select_events_aux;
};

// Each fills its table; false when a library cannot be loaded.
bool LoadXcb(XcbLibrary* xcb);
bool LoadXkbX11(XkbX11Library* xkbX11);

#endif
