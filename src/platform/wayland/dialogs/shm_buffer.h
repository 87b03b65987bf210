// A wl_shm buffer in ARGB8888 the painter draws into, in memory the
// compositor shares through a memfd.
#ifndef TARVELIN_PLATFORM_WAYLAND_DIALOGS_SHM_BUFFER_H
#define TARVELIN_PLATFORM_WAYLAND_DIALOGS_SHM_BUFFER_H

#include "platform/wayland/session.h"

#include <stddef.h>
#include <stdint.h>

struct ShmBuffer {
    wl_proxy* buffer; // null when there is none
    uint32_t* pixels;
    size_t bytes;
    int width, height; // in buffer pixels
    bool busy;         // the compositor reads it until it releases it
};

// A buffer of width x height from shm (wl_shm); false, with nothing made,
// when the memory or the compositor refuse.
bool CreateShmBuffer(WaylandSession* session, wl_proxy* shm, int width, int height,
                     ShmBuffer* buffer);

// Unmaps and destroys what CreateShmBuffer made; nothing for none.
void DestroyShmBuffer(const WaylandSession* session, ShmBuffer* buffer);

#endif
