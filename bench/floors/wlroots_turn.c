/* The least a turn costs on wlr-output-management: bind the manager, wait
 * for its heads and its done, send one configuration naming every head with
 * the named one's transform changed, apply it and wait for the answer. Every
 * head is taken to be enabled, as the bench has them: sway's heads may say
 * they are off when they are not.
 * Usage: wlroots_turn OUTPUT TRANSFORM; status 0 when it succeeded. With no
 * argument it ends at once: its start-up alone, libwayland-client loaded. */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <wayland-client.h>

#include "wlr-output-management-unstable-v1-client-protocol.h"

struct head {
    struct zwlr_output_head_v1* proxy;
    char name[64];
};

static struct zwlr_output_manager_v1* manager;
static struct head heads[16];
static int count, done, answer; /* answer: 1 succeeded, 2 failed or cancelled */
static uint32_t serial;

static void on_name(void* data, struct zwlr_output_head_v1* h, const char* name) {
    strncpy(((struct head*)data)->name, name, sizeof heads[0].name - 1);
}
static void on_text(void* data, struct zwlr_output_head_v1* h, const char* text) {}
static void on_size(void* data, struct zwlr_output_head_v1* h, int32_t width, int32_t height) {}
static void on_mode(void* data, struct zwlr_output_head_v1* h, struct zwlr_output_mode_v1* m) {}
static void on_enabled(void* data, struct zwlr_output_head_v1* h, int32_t enabled) {}
static void on_position(void* data, struct zwlr_output_head_v1* h, int32_t x, int32_t y) {}
static void on_transform(void* data, struct zwlr_output_head_v1* h, int32_t transform) {}
static void on_scale(void* data, struct zwlr_output_head_v1* h, wl_fixed_t scale) {}
static void on_finished(void* data, struct zwlr_output_head_v1* h) {}
static const struct zwlr_output_head_v1_listener head_listener = {
    on_name, on_text,     on_size,      on_mode,  on_enabled,
    on_mode, on_position, on_transform, on_scale, on_finished};

static void on_head(void* data, struct zwlr_output_manager_v1* m, struct zwlr_output_head_v1* h) {
    if (count < 16) {
        heads[count].proxy = h;
        zwlr_output_head_v1_add_listener(h, &head_listener, &heads[count++]);
    }
}
static void on_done(void* data, struct zwlr_output_manager_v1* m, uint32_t value) {
    serial = value;
    done = 1;
}
static void on_manager_finished(void* data, struct zwlr_output_manager_v1* m) {}
static const struct zwlr_output_manager_v1_listener manager_listener = {on_head, on_done,
                                                                        on_manager_finished};

static void on_global(void* data, struct wl_registry* registry, uint32_t name,
                      const char* interface, uint32_t version) {
    if (strcmp(interface, zwlr_output_manager_v1_interface.name) == 0) {
        manager = wl_registry_bind(registry, name, &zwlr_output_manager_v1_interface, 1);
        zwlr_output_manager_v1_add_listener(manager, &manager_listener, NULL);
    }
}
static void on_global_remove(void* data, struct wl_registry* registry, uint32_t name) {}
static const struct wl_registry_listener registry_listener = {on_global, on_global_remove};

static void on_succeeded(void* data, struct zwlr_output_configuration_v1* c) {
    answer = 1;
}
static void on_failed(void* data, struct zwlr_output_configuration_v1* c) {
    answer = 2;
}
static const struct zwlr_output_configuration_v1_listener configuration_listener = {
    on_succeeded, on_failed, on_failed};

int main(int argc, char** argv) {
    if (argc == 1) {
        return 0;
    }
    struct wl_display* display = argc == 3 ? wl_display_connect(NULL) : NULL;
    if (display == NULL) {
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &registry_listener, NULL);
    if (wl_display_roundtrip(display) < 0 || manager == NULL) {
        return 1;
    }
    while (!done) {
        if (wl_display_dispatch(display) < 0) {
            return 1;
        }
    }
    struct zwlr_output_configuration_v1* configuration =
        zwlr_output_manager_v1_create_configuration(manager, serial);
    for (int i = 0; i < count; ++i) {
        struct zwlr_output_configuration_head_v1* head =
            zwlr_output_configuration_v1_enable_head(configuration, heads[i].proxy);
        if (strcmp(heads[i].name, argv[1]) == 0) {
            zwlr_output_configuration_head_v1_set_transform(head, atoi(argv[2]));
        }
    }
    zwlr_output_configuration_v1_add_listener(configuration, &configuration_listener, NULL);
    zwlr_output_configuration_v1_apply(configuration);
    while (!answer) {
        if (wl_display_dispatch(display) < 0) {
            return 1;
        }
    }
    wl_display_disconnect(display);
    return answer == 1 ? 0 : 1;
}
