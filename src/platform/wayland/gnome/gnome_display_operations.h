// The display on GNOME: Mutter's monitors read and turned through its
// DisplayConfig service on the session bus. Touch input is Mutter's to map.
#ifndef TARVELIN_PLATFORM_WAYLAND_GNOME_GNOME_DISPLAY_OPERATIONS_H
#define TARVELIN_PLATFORM_WAYLAND_GNOME_GNOME_DISPLAY_OPERATIONS_H

#include "platform/port.h"
#include "platform/wayland/gnome/sd_bus_library.h"
#include "platform/wayland/session.h"
#include "platform/wayland/turning_output.h"

const int kMaxMirrored = 4;

struct GnomeMonitor {
    char connector[64];
    char mode[64]; // the current mode's id
    int width, height;
};

// A logical monitor: one position, scale and transform for the monitors
// that mirror each other in it.
struct GnomeLogical {
    double scale;
    int primary;
    int monitors[kMaxMirrored]; // in GnomeBackend::monitors
    int monitorCount;
};

struct GnomeBackend {
    SdBusLibrary loaded;
    const SdBusLibrary* sd; // &loaded
    sd_bus* bus;
    sd_bus_message* probed; // the probe's answer, until the first read takes it
    bool answered;
    uint32_t serial;
    uint32_t layoutMode;
    int layoutModeChangeable;
    GnomeMonitor monitors[kMaxOutputs];
    int monitorCount;
    GnomeLogical logical[kMaxOutputs];
    WaylandOutput layout[kMaxOutputs]; // one for each logical monitor
    int count;
    TurningOutput output;
};

// True when Mutter's DisplayConfig answers on the session bus, which stays
// open in backend; its answer is the first read of the state. Loads
// sd-bus: ask only once the compositor's globals have ruled out the others.
bool GnomeOffered(GnomeBackend* backend, const WaylandSession* session);

// Operations on the bus GnomeOffered opened in backend.
DisplayOperations GnomeDisplayOperations(GnomeBackend* backend, WaylandSession* session);

// Closes the bus; the operations must not be called after. GnomeOffered
// closes it itself when it answers false.
void CloseGnome(GnomeBackend* backend);

#endif
