#include "platform/wayland/wlroots/wlroots_display_operations.h"

#include "platform/wayland/turning_output.h"

#include "wlr-output-management-unstable-v1-client-protocol.h"

#include <string.h>

namespace {

const char kManagerGlobal[] = "zwlr_output_manager_v1";

void OnModeRefresh(void*, zwlr_output_mode_v1*, int32_t) {}
void OnModePreferred(void*, zwlr_output_mode_v1*) {}
void OnModeFinished(void*, zwlr_output_mode_v1*) {}
const zwlr_output_mode_v1_listener kModeListener = {OnModeSize, OnModeRefresh, OnModePreferred,
                                                    OnModeFinished};

WlrootsHead* HeadOf(void* data) {
    return static_cast<WlrootsHead*>(data);
}
WlrootsBackend& Of(void* data) {
    return *static_cast<WlrootsBackend*>(data);
}
void OnHeadName(void* data, zwlr_output_head_v1*, const char* name) {
    CopyName(HeadOf(data)->name, name);
}
void OnHeadText(void*, zwlr_output_head_v1*, const char*) {}
void OnHeadSize(void*, zwlr_output_head_v1*, int32_t, int32_t) {}
void OnHeadMode(void* data, zwlr_output_head_v1*, zwlr_output_mode_v1* proxy) {
    WlrootsBackend* backend = HeadOf(data)->backend;
    KeepMode(backend->session, &backend->modes, proxy, &kModeListener);
}
void OnHeadEnabled(void* data, zwlr_output_head_v1*, int32_t enabled) {
    HeadOf(data)->enabled = enabled != 0;
}
void OnHeadCurrentMode(void* data, zwlr_output_head_v1*, zwlr_output_mode_v1* mode) {
    HeadOf(data)->mode = mode;
}
void OnHeadPosition(void* data, zwlr_output_head_v1*, int32_t x, int32_t y) {
    HeadOf(data)->x = x;
    HeadOf(data)->y = y;
}
void OnHeadTransform(void* data, zwlr_output_head_v1*, int32_t transform) {
    HeadOf(data)->transform = transform;
}
void OnHeadScale(void* data, zwlr_output_head_v1*, wl_fixed_t scale) {
    HeadOf(data)->scale = scale / 256.0;
}
void OnHeadFinished(void* data, zwlr_output_head_v1*) {
    HeadOf(data)->proxy = nullptr;
}
const zwlr_output_head_v1_listener kHeadListener = {
    OnHeadName,        OnHeadText,     OnHeadSize,      OnHeadMode,  OnHeadEnabled,
    OnHeadCurrentMode, OnHeadPosition, OnHeadTransform, OnHeadScale, OnHeadFinished,
    OnHeadText,        OnHeadText,     OnHeadText};

void OnManagerHead(void* data, zwlr_output_manager_v1*, zwlr_output_head_v1* proxy) {
    WlrootsBackend& backend = Of(data);
    if (backend.headCount < kMaxOutputs) {
        WlrootsHead* head = &backend.heads[backend.headCount++];
        head->backend = &backend;
        head->proxy = proxy;
        head->scale = 1;
        AddListener(backend.session, proxy, &kHeadListener, head);
    }
}
void OnManagerDone(void* data, zwlr_output_manager_v1*, uint32_t serial) {
    Of(data).serial = serial;
    Of(data).done = true;
}
void OnManagerFinished(void*, zwlr_output_manager_v1*) {}
const zwlr_output_manager_v1_listener kManagerListener = {OnManagerHead, OnManagerDone,
                                                          OnManagerFinished};

// The layout as the compositor has it: the head's word, wl_output's for an
// output whose head says it is off (some compositors leave the head's
// events out), and xdg-output's logical box over both when it came: that
// box is the layout the compositor's clients see.
void MergeLayout(WlrootsBackend& backend) {
    for (int i = 0; i < backend.headCount; ++i) {
        const WlrootsHead& head = backend.heads[i];
        WaylandOutput& entry = backend.layout[i];
        entry = WaylandOutput();
        memcpy(entry.name, head.name, sizeof entry.name);
        entry.enabled = head.proxy != nullptr && head.enabled;
        entry.x = head.x;
        entry.y = head.y;
        entry.transform = head.transform;
        const WaylandMode* mode = FindMode(&backend.modes, head.mode);
        if (mode != nullptr) {
            SetLogicalSize(&entry, mode->width, mode->height, head.scale);
        }
        const BoundOutput* output =
            head.proxy != nullptr ? FindBoundOutput(&backend.outputs, head.name) : nullptr;
        if (output != nullptr && !entry.enabled) {
            entry.enabled = true;
            entry.transform = output->transform;
            SetLogicalSize(&entry, output->width, output->height, output->scale);
        }
        if (output != nullptr && output->placed) {
            entry.x = output->x;
            entry.y = output->y;
            entry.width = output->logicalWidth;
            entry.height = output->logicalHeight;
        }
    }
}

bool ReadOutputs(void* state) {
    WlrootsBackend& backend = Of(state);
    WaylandSession* session = backend.session;
    backend.manager = reinterpret_cast<zwlr_output_manager_v1*>(BindGlobal(
        session, FindGlobal(session, kManagerGlobal), &zwlr_output_manager_v1_interface, 2));
    if (backend.manager == nullptr) {
        return false;
    }
    AddListener(session, backend.manager, &kManagerListener, &backend);
    BindOutputs(session, &backend.outputs);
    // One sync sent with the binds: by its answer every output has sent its
    // state, and the manager its heads and first done, unless the compositor
    // sends those later.
    if (!Roundtrip(session, kAnswerWait) || !WaitFor(session, &backend.done, kAnswerWait)) {
        return false;
    }
    MergeLayout(backend);
    return true;
}

void Answer(void* data, LayoutAnswer answer) {
    Of(data).answer = answer;
    Of(data).answered = true;
}
void OnSucceeded(void* data, zwlr_output_configuration_v1*) {
    Answer(data, kLayoutApplied);
}
void OnFailed(void* data, zwlr_output_configuration_v1*) {
    Answer(data, kLayoutRefused);
}
void OnCancelled(void* data, zwlr_output_configuration_v1*) {
    Answer(data, kLayoutOutdated);
}
const zwlr_output_configuration_v1_listener kConfigurationListener = {OnSucceeded, OnFailed,
                                                                      OnCancelled};

// Every head, as the protocol asks: the enabled ones where layout puts them
// (their mode as it is), the others off. Then test or apply (opcode) and
// wait for the answer.
LayoutAnswer Configure(WlrootsBackend& backend, const WaylandOutput* layout, uint32_t opcode) {
    WaylandSession* session = backend.session;
    union wl_argument create[2] = {};
    create[1].u = backend.serial;
    wl_proxy* configuration =
        SendRequest(session, backend.manager, ZWLR_OUTPUT_MANAGER_V1_CREATE_CONFIGURATION, create,
                    &zwlr_output_configuration_v1_interface);
    for (int i = 0; i < backend.headCount; ++i) {
        const WlrootsHead& head = backend.heads[i];
        if (head.proxy == nullptr) {
            continue;
        }
        union wl_argument which[2] = {};
        if (!layout[i].enabled) {
            which[0].o = reinterpret_cast<wl_object*>(head.proxy);
            SendRequest(session, configuration, ZWLR_OUTPUT_CONFIGURATION_V1_DISABLE_HEAD, which);
            continue;
        }
        which[1].o = reinterpret_cast<wl_object*>(head.proxy);
        wl_proxy* configured =
            SendRequest(session, configuration, ZWLR_OUTPUT_CONFIGURATION_V1_ENABLE_HEAD, which,
                        &zwlr_output_configuration_head_v1_interface);
        union wl_argument position[2] = {};
        position[0].i = layout[i].x;
        position[1].i = layout[i].y;
        SendRequest(session, configured, ZWLR_OUTPUT_CONFIGURATION_HEAD_V1_SET_POSITION, position);
        union wl_argument transform[1] = {};
        transform[0].i = layout[i].transform;
        SendRequest(session, configured, ZWLR_OUTPUT_CONFIGURATION_HEAD_V1_SET_TRANSFORM,
                    transform);
        // It has no events and no destructor: the configuration ends it.
        session->wl->proxy_destroy(configured);
    }
    return AwaitLayoutAnswer(backend, configuration, opcode, &kConfigurationListener,
                             ZWLR_OUTPUT_CONFIGURATION_V1_DESTROY);
}

// Tested first: the protocol only asks that a failed apply be reverted, and
// sway and phoc apply one output after another, keeping those done before
// one fails. sway's test checks every output without changing any.
LayoutAnswer TestThenApply(void* state, const WaylandOutput* layout) {
    WlrootsBackend& backend = Of(state);
    const LayoutAnswer answer = Configure(backend, layout, ZWLR_OUTPUT_CONFIGURATION_V1_TEST);
    return answer == kLayoutApplied ? Configure(backend, layout, ZWLR_OUTPUT_CONFIGURATION_V1_APPLY)
                                    : answer;
}

// A configuration the compositor cancelled is made again from the heads
// as they are now.
bool ReadAgain(void* state) {
    if (!Roundtrip(Of(state).session, kAnswerWait)) {
        return false;
    }
    MergeLayout(Of(state));
    return true;
}

// wlroots has no output of its own choice.
int NoPreference(void*) {
    return -1;
}

} // namespace

bool WlrootsOffered(const WaylandSession* session) {
    return FindGlobal(session, kManagerGlobal) != nullptr;
}

DisplayOperations WlrootsDisplayOperations(WlrootsBackend* backend, WaylandSession* session) {
    backend->session = session;
    backend->output = TurningOutput{backend,     backend->layout, &backend->headCount,
                                    ReadOutputs, NoPreference,    TestThenApply,
                                    ReadAgain};
    return TurningOutputOperations(&backend->output);
}

// Each object ends with its protocol's destructor where it has one; the
// compositor's own objects, heads and modes, are only let go.
void CloseWlroots(WlrootsBackend* backend) {
    WaylandSession* session = backend->session;
    union wl_argument none[1] = {};
    ReleaseOutputs(session, &backend->outputs);
    for (int i = 0; i < backend->modes.count; ++i) {
        session->wl->proxy_destroy(static_cast<wl_proxy*>(backend->modes.list[i].proxy));
    }
    for (int i = 0; i < backend->headCount; ++i) {
        if (backend->heads[i].proxy != nullptr) {
            session->wl->proxy_destroy(reinterpret_cast<wl_proxy*>(backend->heads[i].proxy));
        }
    }
    if (backend->manager != nullptr) {
        SendRequest(session, backend->manager, ZWLR_OUTPUT_MANAGER_V1_STOP, none);
        session->wl->proxy_destroy(reinterpret_cast<wl_proxy*>(backend->manager));
    }
}
