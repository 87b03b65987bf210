#include "platform/wayland/session.h"

#include <wayland-client-protocol.h>

#include <poll.h>
#include <string.h>
#include <time.h>

namespace {

// Longer than any compositor takes to answer while it works at all.
const int kRegistryWait = 1000;

void OnGlobal(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version) {
    WaylandSession* session = static_cast<WaylandSession*>(data);
    const int capacity = sizeof session->globals / sizeof session->globals[0];
    if (session->globalCount == capacity ||
        strlen(interface) >= sizeof session->globals[0].interface) {
        return;
    }
    WaylandGlobal* global = &session->globals[session->globalCount++];
    global->name = name;
    global->version = version;
    strcpy(global->interface, interface);
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

void OnSyncDone(void* data, wl_callback*, uint32_t) {
    *static_cast<bool*>(data) = true;
}

const wl_callback_listener kSyncListener = {OnSyncDone};

long long NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

} // namespace

bool OpenWaylandSession(WaylandSession* session) {
    // Not the globals' slots: only those listed are read, and clearing all
    // of them would touch pages that no global fills.
    session->wl = &session->loaded;
    session->display = nullptr;
    session->registry = nullptr;
    session->globalCount = 0;
    if (!LoadWayland(&session->loaded)) {
        return false;
    }
    session->display = session->wl->display_connect(nullptr);
    if (session->display == nullptr) {
        return false;
    }
    union wl_argument registry[1] = {};
    session->registry = SendRequest(session, session->display, WL_DISPLAY_GET_REGISTRY, registry,
                                    &wl_registry_interface);
    return session->registry != nullptr &&
           AddListener(session, session->registry, &kRegistryListener, session) &&
           Roundtrip(session, kRegistryWait);
}

void CloseWaylandSession(WaylandSession* session) {
    if (session->registry != nullptr) {
        session->wl->proxy_destroy(session->registry);
    }
    if (session->display != nullptr) {
        session->wl->display_disconnect(session->display);
    }
    session->registry = nullptr;
    session->display = nullptr;
}

bool Roundtrip(WaylandSession* session, int milliseconds) {
    union wl_argument arguments[1] = {};
    wl_proxy* callback =
        SendRequest(session, session->display, WL_DISPLAY_SYNC, arguments, &wl_callback_interface);
    if (callback == nullptr) {
        return false;
    }
    bool synced = false;
    const bool answered = AddListener(session, callback, &kSyncListener, &synced) &&
                          WaitFor(session, &synced, milliseconds);
    // A done that comes after the wait must not reach synced, gone by then.
    session->wl->proxy_destroy(callback);
    return answered;
}

const WaylandGlobal* FindGlobal(const WaylandSession* session, const char* interface, int n) {
    for (int i = 0; i < session->globalCount; ++i) {
        if (strcmp(session->globals[i].interface, interface) == 0 && n-- == 0) {
            return &session->globals[i];
        }
    }
    return nullptr;
}

wl_proxy* BindGlobal(WaylandSession* session, const WaylandGlobal* global,
                     const wl_interface* interface, uint32_t version) {
    if (global == nullptr) {
        return nullptr;
    }
    union wl_argument arguments[4] = {};
    arguments[0].u = global->name;
    arguments[1].s = interface->name;
    arguments[2].u = global->version < version ? global->version : version;
    return session->wl->proxy_marshal_array_flags(session->registry, WL_REGISTRY_BIND, interface,
                                                  arguments[2].u, 0, arguments);
}

wl_proxy* SendRequest(const WaylandSession* session, void* proxy, uint32_t opcode,
                      union wl_argument* arguments, const wl_interface* created, bool destroy) {
    wl_proxy* sender = static_cast<wl_proxy*>(proxy);
    return session->wl->proxy_marshal_array_flags(sender, opcode, created,
                                                  session->wl->proxy_get_version(sender),
                                                  destroy ? WL_MARSHAL_FLAG_DESTROY : 0, arguments);
}

void DestroyProxy(const WaylandSession* session, wl_proxy** proxy, uint32_t opcode) {
    if (*proxy != nullptr) {
        union wl_argument none[1] = {};
        SendRequest(session, *proxy, opcode, none, nullptr, true);
        *proxy = nullptr;
    }
}

bool DispatchOnce(WaylandSession* session, int milliseconds) {
    const WaylandLibrary* wl = session->wl;
    wl_display* display = session->display;
    if (wl->display_prepare_read(display) != 0) {
        return wl->display_dispatch_pending(display) >= 0;
    }
    pollfd readable = {wl->display_get_fd(display), POLLIN, 0};
    if (wl->display_flush(display) < 0 || milliseconds == 0 ||
        poll(&readable, 1, milliseconds) <= 0) {
        wl->display_cancel_read(display);
        return false;
    }
    return wl->display_read_events(display) >= 0 && wl->display_dispatch_pending(display) >= 0;
}

bool WaitFor(WaylandSession* session, const bool* done, int milliseconds) {
    const long long deadline = NowMs() + milliseconds;
    while (!*done) {
        const long long left = deadline - NowMs();
        if (left <= 0 || !DispatchOnce(session, static_cast<int>(left))) {
            return false;
        }
    }
    return true;
}
