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

int BufferScale(int outputScale, uint32_t version) {
    if (version < WL_SURFACE_SET_BUFFER_SCALE_SINCE_VERSION || outputScale < 1) {
        return 1;
    }
    return outputScale < kMaxBufferScale ? outputScale : kMaxBufferScale;
}

bool ScaledBufferSize(int width, int height, int scale, int* pixelWidth, int* pixelHeight) {
    if (width <= 0 || height <= 0 || scale <= 0 || width > INT_MAX / scale ||
        height > INT_MAX / scale) {
        return false;
    }
    *pixelWidth = width * scale;
    *pixelHeight = height * scale;
    return *pixelWidth <= INT_MAX / 4 / *pixelHeight;
}

bool CreateShmBuffer(WaylandSession* session, wl_proxy* shm, int logicalWidth, int logicalHeight,
                     int scale, ShmBuffer* buffer) {
    *buffer = ShmBuffer();
    int width = 0;
    int height = 0;
    if (!ScaledBufferSize(logicalWidth, logicalHeight, scale, &width, &height)) {
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
