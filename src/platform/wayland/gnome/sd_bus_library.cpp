#include "platform/wayland/gnome/sd_bus_library.h"

#include "platform/linux/loaded_library.h"

#define RESOLVE(member) Resolve(library, "sd_bus_" #member, &bus->member)

bool LoadSdBus(SdBusLibrary* bus) {
    void* library = OpenLibrary("libsystemd.so.0");
    return library != nullptr && RESOLVE(open_user) && RESOLVE(flush_close_unref) &&
           RESOLVE(call) && RESOLVE(call_async) && RESOLVE(process) && RESOLVE(wait) &&
           RESOLVE(message_new_method_call) && RESOLVE(message_set_auto_start) &&
           RESOLVE(message_append) && RESOLVE(message_open_container) &&
           RESOLVE(message_close_container) && RESOLVE(message_read) &&
           RESOLVE(message_read_basic) && RESOLVE(message_enter_container) &&
           RESOLVE(message_exit_container) && RESOLVE(message_skip) && RESOLVE(message_peek_type) &&
           RESOLVE(message_get_error) && RESOLVE(message_ref) && RESOLVE(message_unref) &&
           RESOLVE(error_free) && RESOLVE(error_has_name);
}

#undef RESOLVE
