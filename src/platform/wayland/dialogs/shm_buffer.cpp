#include "platform/wayland/dialogs/shm_buffer.h"

#include <wayland-client-protocol.h>

#include <limits.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

void OnRelease(void* data, wl_buffer*) {
    static_cast<ShmBuffer*>(data)->busy = false;
}
const wl_buffer_listener kBufferListener = {OnRelease};

} // namespace

bool CreateShmBuffer(WaylandSession* session, wl_proxy* shm, int width, int height,
                     ShmBuffer* buffer) {
    *buffer = ShmBuffer();
    // wl_shm's sizes are 32-bit: a dialog never comes near.
    if (width <= 0 || height <= 0 || width > INT_MAX / 4 / height) {
        return false;
    }
    const int stride = width * 4;
    const size_t bytes = static_cast<size_t>(stride) * height;
    const int fd = memfd_create("tarvelin-dialog", MFD_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    void* pixels = ftruncate(fd, static_cast<off_t>(bytes)) == 0
                       ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                       : MAP_FAILED;
    if (pixels == MAP_FAILED) {
        close(fd);
        return false;
    }
    union wl_argument pool[3] = {};
    pool[1].h = fd;
    pool[2].i = static_cast<int32_t>(bytes);
    wl_proxy* created = SendRequest(session, shm, WL_SHM_CREATE_POOL, pool, &wl_shm_pool_interface);
    // The compositor holds its own copy of the descriptor once it is sent.
    close(fd);
    if (created == nullptr) {
        munmap(pixels, bytes);
        return false;
    }
    union wl_argument format[6] = {};
    format[2].i = width;
    format[3].i = height;
    format[4].i = stride;
    format[5].u = WL_SHM_FORMAT_ARGB8888;
    buffer->buffer =
        SendRequest(session, created, WL_SHM_POOL_CREATE_BUFFER, format, &wl_buffer_interface);
    union wl_argument none[1] = {};
    SendRequest(session, created, WL_SHM_POOL_DESTROY, none, nullptr, true);
    buffer->pixels = static_cast<uint32_t*>(pixels);
    buffer->bytes = bytes;
    buffer->width = width;
    buffer->height = height;
    if (buffer->buffer == nullptr ||
        !AddListener(session, buffer->buffer, &kBufferListener, buffer)) {
        DestroyShmBuffer(session, buffer);
        return false;
    }
    return true;
}

void DestroyShmBuffer(const WaylandSession* session, ShmBuffer* buffer) {
    if (buffer->buffer != nullptr) {
        union wl_argument none[1] = {};
        SendRequest(session, buffer->buffer, WL_BUFFER_DESTROY, none, nullptr, true);
    }
    if (buffer->pixels != nullptr) {
        munmap(buffer->pixels, buffer->bytes);
    }
    *buffer = ShmBuffer();
}
