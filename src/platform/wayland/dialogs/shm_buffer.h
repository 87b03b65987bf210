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

// The most buffer pixels a dialog draws per logical pixel: a compositor
// that asks for more gets this many.
const int kMaxBufferScale = 8;

// The buffer scale for an output's (0 when it said none) on a compositor
// whose wl_compositor has version: 1 before surfaces took a scale.
int BufferScale(int outputScale, uint32_t version);

// Sets *pixelWidth x *pixelHeight for width x height logical pixels at
// scale; false when a side is not positive or the buffer would not fit
// wl_shm's 32-bit sizes.
bool ScaledBufferSize(int width, int height, int scale, int* pixelWidth, int* pixelHeight);

// A buffer from shm (wl_shm) for width x height logical pixels at scale;
// false, with nothing made, when the size, the memory or the compositor
// refuse.
bool CreateShmBuffer(WaylandSession* session, wl_proxy* shm, int width, int height, int scale,
                     ShmBuffer* buffer);

// Unmaps and destroys what CreateShmBuffer made; nothing for none.
void DestroyShmBuffer(const WaylandSession* session, ShmBuffer* buffer);

#endif
