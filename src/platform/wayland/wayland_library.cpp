#include "platform/wayland/wayland_library.h"

#include <dlfcn.h>

namespace {

template <typename Function> bool Resolve(void* library, const char* name, Function* function) {
    void* symbol = dlsym(library, name);
    *function = reinterpret_cast<Function>(symbol);
    return symbol != nullptr;
}

#define RESOLVE(member) Resolve(library, "wl_" #member, &wayland->member)

bool Load(WaylandLibrary* wayland) {
    void* library = dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
    return library != nullptr && RESOLVE(display_connect) && RESOLVE(display_get_fd) &&
           RESOLVE(display_flush) && RESOLVE(display_prepare_read) &&
           RESOLVE(display_read_events) && RESOLVE(display_cancel_read) &&
           RESOLVE(display_dispatch_pending) && RESOLVE(proxy_marshal_array_flags) &&
           RESOLVE(proxy_add_listener) && RESOLVE(proxy_get_version);
}

#undef RESOLVE

bool gTried = false;
bool gLoaded = false;
WaylandLibrary gWayland;

} // namespace

const WaylandLibrary* LoadWayland() {
    if (!gTried) {
        gTried = true;
        gLoaded = Load(&gWayland);
    }
    return gLoaded ? &gWayland : nullptr;
}
