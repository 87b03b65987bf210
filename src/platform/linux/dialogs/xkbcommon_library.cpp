#include "platform/linux/dialogs/xkbcommon_library.h"

#include "platform/linux/loaded_library.h"

#define RESOLVE(member) Resolve(library, "xkb_" #member, &xkb->member)

bool LoadXkbcommon(XkbcommonLibrary* xkb) {
    void* library = OpenLibrary("libxkbcommon.so.0");
    return library != nullptr && RESOLVE(context_new) && RESOLVE(context_unref) &&
           RESOLVE(keymap_new_from_string) && RESOLVE(keymap_unref) &&
           RESOLVE(keymap_key_get_syms_by_level) && RESOLVE(state_new) && RESOLVE(state_unref) &&
           RESOLVE(state_get_keymap) && RESOLVE(state_update_mask) &&
           RESOLVE(state_key_get_layout) && RESOLVE(state_mod_name_is_active);
}

#undef RESOLVE

uint32_t BaseKeysym(const XkbcommonLibrary* xkb, xkb_state* state, xkb_keycode_t key) {
    const xkb_keysym_t* symbols = nullptr;
    const int count = xkb->keymap_key_get_syms_by_level(
        xkb->state_get_keymap(state), key, xkb->state_key_get_layout(state, key), 0, &symbols);
    return count > 0 ? symbols[0] : XKB_KEY_NoSymbol;
}

bool ControlHeld(const XkbcommonLibrary* xkb, xkb_state* state) {
    return xkb->state_mod_name_is_active(state, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0;
}
