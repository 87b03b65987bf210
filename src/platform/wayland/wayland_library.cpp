#include "platform/wayland/wayland_library.h"

#include "platform/linux/loaded_library.h"

#define RESOLVE(member) Resolve(library, "wl_" #member, &wayland->member)

bool LoadWayland(WaylandLibrary* wayland) {
    void* library = OpenLibrary("libwayland-client.so.0");
    return library != nullptr && RESOLVE(display_connect) && RESOLVE(display_disconnect) &&
           RESOLVE(display_get_fd) && RESOLVE(display_flush) && RESOLVE(display_prepare_read) &&
           RESOLVE(display_read_events) && RESOLVE(display_cancel_read) &&
           RESOLVE(display_dispatch_pending) && RESOLVE(proxy_marshal_array_flags) &&
           RESOLVE(proxy_add_listener) && RESOLVE(proxy_get_version) && RESOLVE(proxy_destroy);
}

#undef RESOLVE
