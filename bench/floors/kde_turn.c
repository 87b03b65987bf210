/* The least a turn costs on KWin: the devices bound, their done awaited,
 * one configuration applied. Each argument, NAME:TRANSFORM:X:Y, sets one
 * output. Built beside the protocols' generated code. */
#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

#include "kde-output-device-v2-client-protocol.h"
#include "kde-output-device-v2-protocol.c"
#include "kde-output-management-v2-client-protocol.h"
#include "kde-output-management-v2-protocol.c"

struct device {
    struct kde_output_device_v2* proxy;
    char name[64];
    int done;
};

static struct device devices[16];
static int count, answer = -1;
static struct kde_output_management_v2* management;

static int device_event(const void*, void*, uint32_t, const struct wl_message*, union wl_argument*);

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    if (strcmp(interface, "kde_output_device_v2") == 0 && count < 16) {
        struct device* device = &devices[count++];
        device->proxy = wl_registry_bind(registry, name, &kde_output_device_v2_interface,
                                         version < 2 ? version : 2);
        wl_proxy_add_dispatcher((struct wl_proxy*)device->proxy, device_event, NULL, device);
    } else if (strcmp(interface, "kde_output_management_v2") == 0)
        management = wl_registry_bind(registry, name, &kde_output_management_v2_interface, 1);
}
static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {}
static const struct wl_registry_listener registry_listener = {global, global_remove};

/* Only the name and the done matter; the other events are let pass. */
static int device_event(const void* implementation, void* proxy, uint32_t opcode,
                        const struct wl_message* message, union wl_argument* arguments) {
    struct device* device = wl_proxy_get_user_data(proxy);
    if (strcmp(message->name, "name") == 0)
        snprintf(device->name, sizeof device->name, "%s", arguments[0].s);
    else if (strcmp(message->name, "done") == 0)
        device->done = 1;
    return 0;
}

static void applied(void* data, struct kde_output_configuration_v2* configuration) {
    answer = 1;
}
static void failed(void* data, struct kde_output_configuration_v2* configuration) {
    answer = 0;
}
static const struct kde_output_configuration_v2_listener configuration_listener = {applied, failed};

static int all_done(void) {
    for (int i = 0; i < count; ++i)
        if (!devices[i].done)
            return 0;
    return 1;
}

int main(int argc, char** argv) {
    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL)
        return 1;
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    if (wl_display_roundtrip(display) < 0 || management == NULL)
        return 1;
    while (!all_done())
        if (wl_display_dispatch(display) < 0)
            return 1;
    struct kde_output_configuration_v2* configuration =
        kde_output_management_v2_create_configuration(management);
    for (int i = 1; i < argc; ++i) {
        char name[64];
        int transform, x, y;
        if (sscanf(argv[i], "%63[^:]:%d:%d:%d", name, &transform, &x, &y) != 4)
            return 1;
        for (int j = 0; j < count; ++j)
            if (strcmp(devices[j].name, name) == 0) {
                kde_output_configuration_v2_transform(configuration, devices[j].proxy, transform);
                kde_output_configuration_v2_position(configuration, devices[j].proxy, x, y);
            }
    }
    kde_output_configuration_v2_add_listener(configuration, &configuration_listener, NULL);
    kde_output_configuration_v2_apply(configuration);
    while (answer < 0)
        if (wl_display_dispatch(display) < 0)
            return 1;
    if (!answer)
        fprintf(stderr, "kde_turn: the configuration failed\n");
    return !answer;
}
