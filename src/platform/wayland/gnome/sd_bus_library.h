// sd-bus from libsystemd, loaded only when a GNOME session is looked for:
// every other run starts without it.
#ifndef TARVELIN_PLATFORM_WAYLAND_GNOME_SD_BUS_LIBRARY_H
#define TARVELIN_PLATFORM_WAYLAND_GNOME_SD_BUS_LIBRARY_H

#include <systemd/sd-bus.h>

// The functions used, under their names less the "sd_bus_" prefix.
struct SdBusLibrary {
    decltype(&::sd_bus_open_user) open_user;
    decltype(&::sd_bus_flush_close_unref) flush_close_unref;
    decltype(&::sd_bus_call) call;
    decltype(&::sd_bus_call_async) call_async;
    decltype(&::sd_bus_process) process;
    decltype(&::sd_bus_wait) wait;
    decltype(&::sd_bus_message_new_method_call) message_new_method_call;
    decltype(&::sd_bus_message_set_auto_start) message_set_auto_start;
    decltype(&::sd_bus_message_append) message_append;
    decltype(&::sd_bus_message_open_container) message_open_container;
    decltype(&::sd_bus_message_close_container) message_close_container;
    decltype(&::sd_bus_message_read) message_read;
    decltype(&::sd_bus_message_read_basic) message_read_basic;
    decltype(&::sd_bus_message_enter_container) message_enter_container;
    decltype(&::sd_bus_message_exit_container) message_exit_container;
    decltype(&::sd_bus_message_skip) message_skip;
    decltype(&::sd_bus_message_peek_type) message_peek_type;
    decltype(&::sd_bus_message_get_error) message_get_error;
    decltype(&::sd_bus_message_ref) message_ref;
    decltype(&::sd_bus_message_unref) message_unref;
    decltype(&::sd_bus_error_free) error_free;
    decltype(&::sd_bus_error_has_name) error_has_name;
};

// Fills bus; false when libsystemd cannot be loaded.
bool LoadSdBus(SdBusLibrary* bus);

#endif
