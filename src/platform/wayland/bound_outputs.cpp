#include "platform/wayland/bound_outputs.h"

#include "platform/wayland/turning_output.h"

#include "xdg-output-unstable-v1-client-protocol.h"

#include <string.h>

namespace {

BoundOutput* OutputOf(void* data) {
    return static_cast<BoundOutput*>(data);
}
void OnGeometry(void* data, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                const char*, int32_t transform) {
    OutputOf(data)->transform = transform;
}
void OnOutputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        OutputOf(data)->width = width;
        OutputOf(data)->height = height;
    }
}
void OnOutputDone(void*, wl_output*) {}
void OnOutputScale(void* data, wl_output*, int32_t scale) {
    OutputOf(data)->scale = scale;
}
void OnOutputName(void* data, wl_output*, const char* name) {
    CopyName(OutputOf(data)->name, name);
}
void OnOutputText(void*, wl_output*, const char*) {}
const wl_output_listener kOutputListener = {OnGeometry,    OnOutputMode, OnOutputDone,
                                            OnOutputScale, OnOutputName, OnOutputText};

void OnLogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
    OutputOf(data)->placed = true;
    OutputOf(data)->x = x;
    OutputOf(data)->y = y;
}
void OnLogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
    OutputOf(data)->logicalWidth = width;
    OutputOf(data)->logicalHeight = height;
}
void OnXdgDone(void*, zxdg_output_v1*) {}
void OnXdgName(void* data, zxdg_output_v1*, const char* name) {
    if (OutputOf(data)->name[0] == 0) {
        CopyName(OutputOf(data)->name, name);
    }
}
void OnXdgText(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kXdgListener = {OnLogicalPosition, OnLogicalSize, OnXdgDone,
                                              OnXdgName, OnXdgText};

} // namespace

void BindOutputs(WaylandSession* session, BoundOutputs* outputs) {
    *outputs = BoundOutputs();
    outputs->xdgManager = BindGlobal(session, FindGlobal(session, "zxdg_output_manager_v1"),
                                     &zxdg_output_manager_v1_interface, 3);
    for (const WaylandGlobal* global;
         outputs->count < kMaxOutputs &&
         (global = FindGlobal(session, "wl_output", outputs->count)) != nullptr;) {
        BoundOutput* output = &outputs->list[outputs->count++];
        output->proxy = BindGlobal(session, global, &wl_output_interface, 4);
        AddListener(session, output->proxy, &kOutputListener, output);
        if (outputs->xdgManager != nullptr) {
            union wl_argument arguments[2] = {};
            arguments[1].o = reinterpret_cast<wl_object*>(output->proxy);
            output->xdg =
                SendRequest(session, outputs->xdgManager, ZXDG_OUTPUT_MANAGER_V1_GET_XDG_OUTPUT,
                            arguments, &zxdg_output_v1_interface);
            AddListener(session, output->xdg, &kXdgListener, output);
        }
    }
}

const BoundOutput* FindBoundOutput(const BoundOutputs* outputs, const char* name) {
    for (int i = 0; i < outputs->count; ++i) {
        if (strcmp(outputs->list[i].name, name) == 0) {
            return &outputs->list[i];
        }
    }
    return nullptr;
}

void ReleaseOutputs(WaylandSession* session, BoundOutputs* outputs) {
    union wl_argument none[1] = {};
    for (int i = 0; i < outputs->count; ++i) {
        const BoundOutput& output = outputs->list[i];
        if (output.xdg != nullptr) {
            SendRequest(session, output.xdg, ZXDG_OUTPUT_V1_DESTROY, none, nullptr, true);
        }
        if (session->wl->proxy_get_version(output.proxy) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
            SendRequest(session, output.proxy, WL_OUTPUT_RELEASE, none, nullptr, true);
        } else {
            session->wl->proxy_destroy(output.proxy);
        }
    }
    if (outputs->xdgManager != nullptr) {
        SendRequest(session, outputs->xdgManager, ZXDG_OUTPUT_MANAGER_V1_DESTROY, none, nullptr,
                    true);
    }
    *outputs = BoundOutputs();
}
