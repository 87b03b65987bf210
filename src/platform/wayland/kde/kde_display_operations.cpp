#include "platform/wayland/kde/kde_display_operations.h"

#include "platform/wayland/turning_output.h"

#include "kde-output-device-v2-client-protocol.h"
#include "kde-output-management-v2-client-protocol.h"
#include "kde-output-order-v1-client-protocol.h"

#include <string.h>

namespace {

const char kManagementGlobal[] = "kde_output_management_v2";
const char kDeviceGlobal[] = "kde_output_device_v2";

struct Device {
    kde_output_device_v2* proxy;
    kde_output_device_mode_v2* mode;
    double scale;
};

struct Kde {
    WaylandSession* session;
    Device devices[kMaxOutputs];
    WaylandOutput layout[kMaxOutputs]; // one for each device
    int count;
    WaylandModes modes;
    char first[64]; // the first output in KWin's order
    TurningOutput output;
    bool applied;
    bool answered;
};

Kde gKde;

void OnModeRefresh(void*, kde_output_device_mode_v2*, int32_t) {}
void OnModeEvent(void*, kde_output_device_mode_v2*) {}
const kde_output_device_mode_v2_listener kModeListener = {OnModeSize, OnModeRefresh, OnModeEvent,
                                                          OnModeEvent};

int IndexOf(void* data) {
    return static_cast<int>(static_cast<Device*>(data) - gKde.devices);
}
WaylandOutput& OutputOf(void* data) {
    return gKde.layout[IndexOf(data)];
}
void OnGeometry(void* data, kde_output_device_v2*, int32_t x, int32_t y, int32_t, int32_t, int32_t,
                const char*, const char*, int32_t transform) {
    OutputOf(data).x = x;
    OutputOf(data).y = y;
    OutputOf(data).transform = transform;
}
void OnCurrentMode(void* data, kde_output_device_v2*, kde_output_device_mode_v2* mode) {
    static_cast<Device*>(data)->mode = mode;
}
void OnMode(void*, kde_output_device_v2*, kde_output_device_mode_v2* proxy) {
    KeepMode(gKde.session, &gKde.modes, proxy, &kModeListener);
}
void OnDone(void*, kde_output_device_v2*) {}
void OnScale(void* data, kde_output_device_v2*, wl_fixed_t scale) {
    static_cast<Device*>(data)->scale = scale / 256.0;
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

void OnOrderOutput(void*, kde_output_order_v1*, const char* name) {
    if (gKde.first[0] == 0) {
        CopyName(gKde.first, name);
    }
}
void OnOrderDone(void*, kde_output_order_v1*) {}
const kde_output_order_v1_listener kOrderListener = {OnOrderOutput, OnOrderDone};

// Logical sizes, from the current modes.
void Measure() {
    for (int i = 0; i < gKde.count; ++i) {
        const WaylandMode* mode = FindMode(&gKde.modes, gKde.devices[i].mode);
        if (mode != nullptr) {
            SetLogicalSize(&gKde.layout[i], mode->width, mode->height, gKde.devices[i].scale);
        }
    }
}

bool ReadOutputs() {
    WaylandSession* session = gKde.session;
    for (const WaylandGlobal* global;
         gKde.count < kMaxOutputs &&
         (global = FindGlobal(session, kDeviceGlobal, gKde.count)) != nullptr;) {
        Device* device = &gKde.devices[gKde.count++];
        device->proxy = reinterpret_cast<kde_output_device_v2*>(
            BindGlobal(session, global, &kde_output_device_v2_interface, 2));
        AddListener(session, device->proxy, &kDeviceListener, device);
    }
    const WaylandGlobal* order = FindGlobal(session, "kde_output_order_v1");
    if (order != nullptr) {
        AddListener(session, BindGlobal(session, order, &kde_output_order_v1_interface, 1),
                    &kOrderListener, nullptr);
    }
    // Each bound object sends its whole state at once, before the sync's answer.
    if (!Roundtrip(session, kAnswerWait)) {
        return false;
    }
    Measure();
    return true;
}

void OnApplied(void*, kde_output_configuration_v2*) {
    gKde.applied = gKde.answered = true;
}
void OnFailed(void*, kde_output_configuration_v2*) {
    gKde.applied = false;
    gKde.answered = true;
}
const kde_output_configuration_v2_listener kConfigurationListener = {OnApplied, OnFailed};

// Only what changes is sent: every other setting stays as KWin has it.
bool Apply(const WaylandOutput* layout) {
    WaylandSession* session = gKde.session;
    wl_proxy* management = BindGlobal(session, FindGlobal(session, kManagementGlobal),
                                      &kde_output_management_v2_interface, 1);
    union wl_argument create[1] = {};
    wl_proxy* configuration =
        management != nullptr
            ? SendRequest(session, management, KDE_OUTPUT_MANAGEMENT_V2_CREATE_CONFIGURATION,
                          create, &kde_output_configuration_v2_interface)
            : nullptr;
    if (configuration == nullptr) {
        return false;
    }
    for (int i = 0; i < gKde.count; ++i) {
        const WaylandOutput& was = gKde.layout[i];
        union wl_argument change[3] = {};
        change[0].o = reinterpret_cast<wl_object*>(gKde.devices[i].proxy);
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
    union wl_argument none[1] = {};
    SendRequest(session, configuration, KDE_OUTPUT_CONFIGURATION_V2_APPLY, none);
    gKde.answered = false;
    const bool applied = AddListener(session, configuration, &kConfigurationListener, nullptr) &&
                         WaitFor(session, &gKde.answered, kAnswerWait) && gKde.applied;
    SendRequest(session, configuration, KDE_OUTPUT_CONFIGURATION_V2_DESTROY, none, nullptr, true);
    return applied;
}

bool Turn(int transform) {
    WaylandOutput layout[kMaxOutputs];
    memcpy(layout, gKde.layout, sizeof layout);
    TurnInLayout(layout, gKde.count, gKde.output.turned, transform);
    if (!Apply(layout)) {
        return false;
    }
    memcpy(gKde.layout, layout, sizeof layout);
    return true;
}

int FirstInOrder() {
    for (int i = 0; i < gKde.count; ++i) {
        if (strcmp(gKde.layout[i].name, gKde.first) == 0) {
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

DisplayOperations KdeDisplayOperations(WaylandSession* session) {
    gKde.session = session;
    gKde.output =
        TurningOutput{gKde.layout, &gKde.count, ReadOutputs, FirstInOrder, Turn, false, -1, false};
    return TurningOutputOperations(&gKde.output);
}
