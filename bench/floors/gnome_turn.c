/* The least a turn costs on Mutter: one bus connection, the state read for
 * its serial, one temporary configuration. Each argument is one logical
 * monitor, CONNECTOR:MODE:X:Y:TRANSFORM:PRIMARY, at scale 1. */
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <systemd/sd-bus.h>

#define CONFIG "org.gnome.Mutter.DisplayConfig"
#define CONFIG_PATH "/org/gnome/Mutter/DisplayConfig"

int main(int argc, char** argv) {
    sd_bus* bus = NULL;
    sd_bus_message *state = NULL, *apply = NULL, *reply = NULL;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    uint32_t serial = 0;
    int r = sd_bus_open_user(&bus);
    if (r >= 0)
        r = sd_bus_call_method(bus, CONFIG, CONFIG_PATH, CONFIG, "GetCurrentState", &error, &state,
                               "");
    if (r >= 0)
        r = sd_bus_message_read(state, "u", &serial);
    if (r >= 0)
        r = sd_bus_message_new_method_call(bus, &apply, CONFIG, CONFIG_PATH, CONFIG,
                                           "ApplyMonitorsConfig");
    if (r >= 0)
        r = sd_bus_message_append(apply, "uu", serial, 1);
    if (r >= 0)
        r = sd_bus_message_open_container(apply, 'a', "(iiduba(ssa{sv}))");
    for (int i = 1; r >= 0 && i < argc; ++i) {
        char connector[64], mode[64];
        int x, y, primary;
        unsigned transform;
        r = sscanf(argv[i], "%63[^:]:%63[^:]:%d:%d:%u:%d", connector, mode, &x, &y, &transform,
                   &primary) == 6
                ? sd_bus_message_append(apply, "(iiduba(ssa{sv}))", x, y, 1.0, transform, primary,
                                        1, connector, mode, 0)
                : -EINVAL;
    }
    if (r >= 0)
        r = sd_bus_message_close_container(apply);
    if (r >= 0)
        r = sd_bus_message_append(apply, "a{sv}", 0);
    if (r >= 0)
        r = sd_bus_call(bus, apply, 5000000, &error, &reply);
    if (r < 0)
        fprintf(stderr, "gnome_turn: %s\n", error.message ? error.message : strerror(-r));
    return r < 0;
}
