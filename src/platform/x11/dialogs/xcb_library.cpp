#include "platform/x11/dialogs/xcb_library.h"

#include "platform/linux/loaded_library.h"

#define RESOLVE(member) Resolve(library, "xcb_" #member, &xcb->member)

bool LoadXcb(XcbLibrary* xcb) {
    void* library = OpenLibrary("libxcb.so.1");
    return library != nullptr && RESOLVE(connect) && RESOLVE(disconnect) &&
           RESOLVE(connection_has_error) && RESOLVE(get_setup) && RESOLVE(setup_roots_iterator) &&
           RESOLVE(screen_next) && RESOLVE(setup_pixmap_formats) &&
           RESOLVE(setup_pixmap_formats_length) && RESOLVE(get_maximum_request_length) &&
           RESOLVE(generate_id) && RESOLVE(flush) && RESOLVE(wait_for_event) &&
           RESOLVE(intern_atom) && RESOLVE(intern_atom_reply) && RESOLVE(get_property) &&
           RESOLVE(get_property_reply) && RESOLVE(get_property_value) &&
           RESOLVE(get_property_value_length) && RESOLVE(change_property) &&
           RESOLVE(create_window) && RESOLVE(destroy_window) && RESOLVE(map_window) &&
           RESOLVE(configure_window) && RESOLVE(create_gc) && RESOLVE(free_gc) &&
           RESOLVE(put_image) && RESOLVE(grab_pointer) && RESOLVE(grab_pointer_reply) &&
           RESOLVE(grab_keyboard) && RESOLVE(grab_keyboard_reply) && RESOLVE(ungrab_pointer) &&
           RESOLVE(ungrab_keyboard) && RESOLVE(set_input_focus) && RESOLVE(get_input_focus) &&
           RESOLVE(get_input_focus_reply) && RESOLVE(get_selection_owner) &&
           RESOLVE(get_selection_owner_reply) && RESOLVE(set_selection_owner) &&
           RESOLVE(send_event);
}

#undef RESOLVE
#define RESOLVE(member) Resolve(library, "xkb_x11_" #member, &xkbX11->member)

bool LoadXkbX11(XkbX11Library* xkbX11) {
    void* library = OpenLibrary("libxkbcommon-x11.so.0");
    // A handle's symbols include those of the libraries it needs: libxcb-xkb.
    return library != nullptr && RESOLVE(setup_xkb_extension) &&
           RESOLVE(get_core_keyboard_device_id) && RESOLVE(keymap_new_from_device) &&
           RESOLVE(state_new_from_device) &&
           Resolve(library, "xcb_xkb_select_events_aux", &xkbX11->select_events_aux);
}

#undef RESOLVE
