#include "platform/wayland/kde/kde_display_operations.h"

#include "platform/wayland/turning_output.h"

#include "kde-output-device-v2-client-protocol.h"
#include "kde-output-management-v2-client-protocol.h"
#include "kde-output-order-v1-client-protocol.h"

#include <string.h>

namespace {

const char kManagementGlobal[] = "kde_output_management_v2";
const char kDeviceGlobal[] = "kde_output_device_v2";

void OnModeRefresh(void*, kde_output_device_mode_v2*, int32_t) {}
void OnModeEvent(void*, kde_output_device_mode_v2*) {}
const kde_output_device_mode_v2_listener kModeListener = {OnModeSize, OnModeRefresh, OnModeEvent,
                                                          OnModeEvent};

KdeBackend& Of(void* data) {
    return *static_cast<KdeBackend*>(data);
}
KdeDevice* DeviceOf(void* data) {
    return static_cast<KdeDevice*>(data);
}
WaylandOutput& OutputOf(void* data) {
    KdeBackend* backend = DeviceOf(data)->backend;
    return backend->layout[DeviceOf(data) - backend->devices];
}
void OnGeometry(void* data, kde_output_device_v2*, int32_t x, int32_t y, int32_t, int32_t, int32_t,
                const char*, const char*, int32_t transform) {
    OutputOf(data).x = x;
    OutputOf(data).y = y;
    OutputOf(data).transform = transform;
}
void OnCurrentMode(void* data, kde_output_device_v2*, kde_output_device_mode_v2* mode) {
    DeviceOf(data)->mode = mode;
}
void OnMode(void* data, kde_output_device_v2*, kde_output_device_mode_v2* proxy) {
    KdeBackend* backend = DeviceOf(data)->backend;
    KeepMode(backend->session, &backend->modes, proxy, &kModeListener);
}
void OnDone(void*, kde_output_device_v2*) {}
void OnScale(void* data, kde_output_device_v2*, wl_fixed_t scale) {
    DeviceOf(data)->scale = scale / 256.0;
}
void OnText(void*, kde_output_device_v2*, const char*) {}
void OnEnabled(void* data, kde_output_device_v2*, int32_t enabled) {
    OutputOf(data).enabled = enabled != 0;
}
void OnNumber(void*, kde_output_device_v2*, uint32_t) {}
void OnName(void* data, kde_output_device_v2*, const char* name) {
    CopyName(OutputOf(data).name, name);
}
const kde_output_device_v2_listener kDeviceListener = {
    OnGeometry, OnCurrentMode, OnMode,   OnDone,   OnScale,  OnText,   OnEnabled, OnText,
    OnText,     OnText,        OnNumber, OnNumber, OnNumber, OnNumber, OnName};

void OnOrderOutput(void* data, kde_output_order_v1*, const char* name) {
    if (Of(data).first[0] == 0) {
        CopyName(Of(data).first, name);
    }
}
void OnOrderDone(void*, kde_output_order_v1*) {}
const kde_output_order_v1_listener kOrderListener = {OnOrderOutput, OnOrderDone};

// Logical sizes, from the current modes.
void Measure(KdeBackend& backend) {
    for (int i = 0; i < backend.count; ++i) {
        const WaylandMode* mode = FindMode(&backend.modes, backend.devices[i].mode);
        if (mode != nullptr) {
            SetLogicalSize(&backend.layout[i], mode->width, mode->height, backend.devices[i].scale);
        }
    }
}

bool ReadOutputs(void* state) {
    KdeBackend& backend = Of(state);
    WaylandSession* session = backend.session;
    for (const WaylandGlobal* global;
         backend.count < kMaxOutputs &&
         (global = FindGlobal(session, kDeviceGlobal, backend.count)) != nullptr;) {
        KdeDevice* device = &backend.devices[backend.count++];
        device->backend = &backend;
        device->proxy = reinterpret_cast<kde_output_device_v2*>(
            BindGlobal(session, global, &kde_output_device_v2_interface, 2));
        AddListener(session, device->proxy, &kDeviceListener, device);
    }
    backend.management = BindGlobal(session, FindGlobal(session, kManagementGlobal),
                                    &kde_output_management_v2_interface, 1);
    const WaylandGlobal* order = FindGlobal(session, "kde_output_order_v1");
    if (order != nullptr) {
        backend.order = BindGlobal(session, order, &kde_output_order_v1_interface, 1);
        AddListener(session, backend.order, &kOrderListener, &backend);
    }
    // Each bound object sends its whole state at once, before the sync's answer.
    if (!Roundtrip(session, kAnswerWait)) {
        return false;
    }
    Measure(backend);
    return true;
}

void OnApplied(void* data, kde_output_configuration_v2*) {
    Of(data).answer = kLayoutApplied;
    Of(data).answered = true;
}
// The protocol's failed covers both a refusal and a failure to apply, and
// nowhere says the layout was outdated: a layout made again would be no
// likelier to pass.
void OnFailed(void* data, kde_output_configuration_v2*) {
    Of(data).answer = kLayoutRefused;
    Of(data).answered = true;
}
const kde_output_configuration_v2_listener kConfigurationListener = {OnApplied, OnFailed};

// Only what changes is sent: every other setting stays as KWin has it.
LayoutAnswer Apply(void* state, const WaylandOutput* layout) {
    KdeBackend& backend = Of(state);
    WaylandSession* session = backend.session;
    union wl_argument create[1] = {};
    wl_proxy* configuration = backend.management != nullptr
                                  ? SendRequest(session, backend.management,
                                                KDE_OUTPUT_MANAGEMENT_V2_CREATE_CONFIGURATION,
                                                create, &kde_output_configuration_v2_interface)
                                  : nullptr;
    if (configuration == nullptr) {
        return kLayoutRefused;
    }
    for (int i = 0; i < backend.count; ++i) {
        const WaylandOutput& was = backend.layout[i];
        union wl_argument change[3] = {};
        change[0].o = reinterpret_cast<wl_object*>(backend.devices[i].proxy);
        if (layout[i].transform != was.transform) {
            change[1].i = layout[i].transform;
            SendRequest(session, configuration, KDE_OUTPUT_CONFIGURATION_V2_TRANSFORM, change);
        }
        if (layout[i].x != was.x || layout[i].y != was.y) {
            change[1].i = layout[i].x;
            change[2].i = layout[i].y;
            SendRequest(session, configuration, KDE_OUTPUT_CONFIGURATION_V2_POSITION, change);
        }
    }
    return AwaitLayoutAnswer(backend, configuration, KDE_OUTPUT_CONFIGURATION_V2_APPLY,
                             &kConfigurationListener, KDE_OUTPUT_CONFIGURATION_V2_DESTROY);
}

// The devices send what changed on their own: what has come is measured.
bool ReadAgain(void* state) {
    if (!Roundtrip(Of(state).session, kAnswerWait)) {
        return false;
    }
    Measure(Of(state));
    return true;
}

int FirstInOrder(void* state) {
    const KdeBackend& backend = Of(state);
    for (int i = 0; i < backend.count; ++i) {
        if (strcmp(backend.layout[i].name, backend.first) == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

bool KdeOffered(const WaylandSession* session) {
    return FindGlobal(session, kManagementGlobal) != nullptr &&
           FindGlobal(session, kDeviceGlobal) != nullptr;
}

DisplayOperations KdeDisplayOperations(KdeBackend* backend, WaylandSession* session) {
    *backend = KdeBackend();
    backend->session = session;
    backend->output = TurningOutput{backend,      backend->layout, &backend->count, ReadOutputs,
                                    FirstInOrder, Apply,           ReadAgain};
    return TurningOutputOperations(&backend->output);
}

// Only the order has a destructor; the devices and the management are let
// go.
void CloseKde(KdeBackend* backend) {
    WaylandSession* session = backend->session;
    for (int i = 0; i < backend->modes.count; ++i) {
        session->wl->proxy_destroy(static_cast<wl_proxy*>(backend->modes.list[i].proxy));
    }
    for (int i = 0; i < backend->count; ++i) {
        session->wl->proxy_destroy(reinterpret_cast<wl_proxy*>(backend->devices[i].proxy));
    }
    if (backend->order != nullptr) {
        union wl_argument none[1] = {};
        SendRequest(session, backend->order, KDE_OUTPUT_ORDER_V1_DESTROY, none, nullptr, true);
    }
    if (backend->management != nullptr) {
        session->wl->proxy_destroy(backend->management);
    }
    *backend = KdeBackend();
}
