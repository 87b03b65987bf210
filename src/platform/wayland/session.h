// The connection every Wayland backend starts from: the compositor named by
// $WAYLAND_DISPLAY and the globals it offers, read once.
#ifndef TARVELIN_PLATFORM_WAYLAND_SESSION_H
#define TARVELIN_PLATFORM_WAYLAND_SESSION_H

#include "platform/wayland/wayland_library.h"

#include <stdint.h>

struct WaylandGlobal {
    uint32_t name;
    uint32_t version;
    char interface[64];
};

struct WaylandSession {
    WaylandLibrary loaded;
    const WaylandLibrary* wl; // &loaded
    wl_display* display;
    wl_proxy* registry;
    // Globals past the last slot are not listed: no compositor offers so
    // many that an output would be among them.
    WaylandGlobal globals[128];
    int globalCount;
};

// Connects and lists the globals. False, with nothing said, when the
// library, the compositor or its answer is missing.
bool OpenWaylandSession(WaylandSession* session);

// Lets the registry go and disconnects; nothing when never connected.
void CloseWaylandSession(WaylandSession* session);

// The global of that interface, or the n-th of them; null when there is none.
const WaylandGlobal* FindGlobal(const WaylandSession* session, const char* interface, int n = 0);

// Binds global at the lower of its version and the one given; null, with
// nothing sent, when global is null (the compositor offers none).
wl_proxy* BindGlobal(WaylandSession* session, const WaylandGlobal* global,
                     const wl_interface* interface, uint32_t version);

// Sends request opcode on proxy. A request that makes an object names its
// interface and returns it (its version is proxy's); destroy ends proxy.
wl_proxy* SendRequest(const WaylandSession* session, void* proxy, uint32_t opcode,
                      union wl_argument* arguments, const wl_interface* created = nullptr,
                      bool destroy = false);

// Sets the generated listener struct of proxy's interface.
template <typename Listener>
bool AddListener(const WaylandSession* session, void* proxy, const Listener* listener, void* data) {
    return session->wl->proxy_add_listener(
               static_cast<wl_proxy*>(proxy),
               reinterpret_cast<void (**)(void)>(const_cast<Listener*>(listener)), data) == 0;
}

// Ends *proxy, unless it is null, with its protocol's destructor request
// (opcode, which takes no argument), and sets it to null.
void DestroyProxy(const WaylandSession* session, wl_proxy** proxy, uint32_t opcode);

// Waits until the compositor has answered every request sent so far.
bool Roundtrip(WaylandSession* session, int milliseconds);

// Dispatches what has come, or else waits for events (milliseconds, -1:
// without end) and dispatches them. False on a lost connection or silence.
bool DispatchOnce(WaylandSession* session, int milliseconds);

// Dispatches events until *done is true. False on a lost connection or
// when the compositor stays silent for longer than milliseconds.
bool WaitFor(WaylandSession* session, const bool* done, int milliseconds);

#endif
