// xkbcommon, through which every presenter reads keys: X11 from the
// server's keymap (with xkbcommon-x11), Wayland from the compositor's.
// Loaded only when a dialog is shown.
#ifndef TARVELIN_PLATFORM_LINUX_DIALOGS_XKBCOMMON_LIBRARY_H
#define TARVELIN_PLATFORM_LINUX_DIALOGS_XKBCOMMON_LIBRARY_H

#include <stdint.h>
#include <xkbcommon/xkbcommon.h>

// The functions used, under their names less the "xkb_" prefix.
struct XkbcommonLibrary {
    decltype(&::xkb_context_new) context_new;
    decltype(&::xkb_context_unref) context_unref;
    decltype(&::xkb_keymap_new_from_string) keymap_new_from_string;
    decltype(&::xkb_keymap_unref) keymap_unref;
    decltype(&::xkb_keymap_key_get_syms_by_level) keymap_key_get_syms_by_level;
    decltype(&::xkb_state_new) state_new;
    decltype(&::xkb_state_unref) state_unref;
    decltype(&::xkb_state_get_keymap) state_get_keymap;
    decltype(&::xkb_state_update_mask) state_update_mask;
    decltype(&::xkb_state_key_get_layout) state_key_get_layout;
    decltype(&::xkb_state_mod_name_is_active) state_mod_name_is_active;
};

// Fills xkb; false when libxkbcommon cannot be loaded.
bool LoadXkbcommon(XkbcommonLibrary* xkb);

// The key's symbol at the first shift level of its current layout, as the
// dialogs' keys are matched (Ctrl+Shift+C copies as Ctrl+C does);
// XKB_KEY_NoSymbol when it has none.
uint32_t BaseKeysym(const XkbcommonLibrary* xkb, xkb_state* state, xkb_keycode_t key);

// True while Ctrl is held in state.
bool ControlHeld(const XkbcommonLibrary* xkb, xkb_state* state);

#endif
