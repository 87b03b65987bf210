// libwayland-client, loaded only under a Wayland session: an X11 run starts
// without it. The protocol code is generated into the program, so only the
// library's core entry points are needed.
#ifndef TARVELIN_PLATFORM_WAYLAND_WAYLAND_LIBRARY_H
#define TARVELIN_PLATFORM_WAYLAND_WAYLAND_LIBRARY_H

#include <wayland-client-core.h>

// The functions used, under their names less the "wl_" prefix.
struct WaylandLibrary {
    decltype(&::wl_display_connect) display_connect;
    decltype(&::wl_display_disconnect) display_disconnect;
    decltype(&::wl_display_get_fd) display_get_fd;
    decltype(&::wl_display_flush) display_flush;
    decltype(&::wl_display_prepare_read) display_prepare_read;
    decltype(&::wl_display_read_events) display_read_events;
    decltype(&::wl_display_cancel_read) display_cancel_read;
    decltype(&::wl_display_dispatch_pending) display_dispatch_pending;
    decltype(&::wl_proxy_marshal_array_flags) proxy_marshal_array_flags;
    decltype(&::wl_proxy_add_listener) proxy_add_listener;
    decltype(&::wl_proxy_get_version) proxy_get_version;
    decltype(&::wl_proxy_destroy) proxy_destroy;
};

// Fills wayland; false when libwayland-client cannot be loaded.
bool LoadWayland(WaylandLibrary* wayland);

#endif
