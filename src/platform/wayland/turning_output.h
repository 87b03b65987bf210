// The output a Wayland backend turns, chosen once from the outputs the
// backend reads, and the port's display operations on it, which every
// Wayland backend shares: each brings only how it reads and turns. Also
// what the backends keep alike of what they read: names and modes.
#ifndef TARVELIN_PLATFORM_WAYLAND_TURNING_OUTPUT_H
#define TARVELIN_PLATFORM_WAYLAND_TURNING_OUTPUT_H

#include "platform/port.h"
#include "platform/wayland/output_layout.h"
#include "platform/wayland/session.h"

#include <string.h>

// An apply may wait on a mode set, which takes real panels a while.
const int kAnswerWait = 5000; // milliseconds

// Copies name, cut to fit.
template <size_t N> void CopyName(char (&to)[N], const char* name) {
    strncpy(to, name, N - 1);
    to[N - 1] = 0;
}

// The modes the outputs offer, each as its size event gave it.
struct WaylandMode {
    void* proxy;
    int width, height;
};
struct WaylandModes {
    WaylandMode list[kMaxOutputs * 64];
    int count;
};

// The size event of a mode, alike in every output protocol; its data is
// the WaylandMode.
template <typename ModeProxy>
void OnModeSize(void* data, ModeProxy*, int32_t width, int32_t height) {
    static_cast<WaylandMode*>(data)->width = width;
    static_cast<WaylandMode*>(data)->height = height;
}

// Keeps a mode the compositor announced and listens to it; one past the
// last slot is not kept.
template <typename Listener>
void KeepMode(WaylandSession* session, WaylandModes* modes, void* proxy, const Listener* listener) {
    const int capacity = sizeof modes->list / sizeof modes->list[0];
    if (modes->count < capacity) {
        WaylandMode* mode = &modes->list[modes->count++];
        mode->proxy = proxy;
        AddListener(session, proxy, listener, mode);
    }
}

// The kept mode of proxy; null when there is none.
const WaylandMode* FindMode(const WaylandModes* modes, const void* proxy);

// What a desktop answers a layout sent to it. Outdated: it changed
// meanwhile, and a layout made from it read anew may pass.
enum LayoutAnswer { kLayoutApplied, kLayoutRefused, kLayoutOutdated };

// Sends configuration's request opcode, waits for the answer its listener
// writes into backend.answer, then destroys it with request destroy. An
// answer that never comes is a refusal.
template <typename Backend, typename Listener>
LayoutAnswer AwaitLayoutAnswer(Backend& backend, wl_proxy* configuration, uint32_t opcode,
                               const Listener* listener, uint32_t destroy) {
    WaylandSession* session = backend.session;
    union wl_argument none[1] = {};
    SendRequest(session, configuration, opcode, none);
    backend.answered = false;
    const LayoutAnswer answer = AddListener(session, configuration, listener, &backend) &&
                                        WaitFor(session, &backend.answered, kAnswerWait)
                                    ? backend.answer
                                    : kLayoutRefused;
    SendRequest(session, configuration, destroy, none, nullptr, true);
    return answer;
}

// A turn sends layout[turned] turned, with its neighbours moved; an
// outdated answer makes it again from what reread reads, once. The layout
// keeps what was applied.
struct TurningOutput {
    // The backend's: its state, passed to each of its functions, its
    // layout, and how it reads and sends it.
    void* backend;
    WaylandOutput* layout;
    const int* count;
    bool (*read)(void* backend);     // fills layout; false when not described
    int (*preferred)(void* backend); // the desktop's own default output, or -1
    LayoutAnswer (*send)(void* backend, const WaylandOutput* layout);
    bool (*reread)(void* backend); // false when the layout cannot be read
    // Kept here.
    bool asked = false;
    int turned = -1;       // -1: none can turn
    bool reported = false; // why none can, on standard error
};

// Reads the outputs and chooses the one that turns; false, said on
// standard error, when none can. For a backend that must read again.
bool ReadAndChoose(TurningOutput* output);

// The port's operations on output, read on first use.
DisplayOperations TurningOutputOperations(TurningOutput* output);

#endif
