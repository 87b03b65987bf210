#include "platform/wayland/wlroots/wlroots_display_operations.h"

#include "platform/wayland/turning_output.h"

#include "wlr-output-management-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <string.h>

namespace {

const char kManagerGlobal[] = "zwlr_output_manager_v1";

struct Head {
    zwlr_output_head_v1* proxy;
    char name[64];
    bool enabled;
    zwlr_output_mode_v1* mode;
    int x, y, transform;
    double scale;
};

// What wl_output and xdg-output say of an enabled output: some compositors
// leave the head's own events out.
struct Output {
    char name[64];
    int transform;
    int width, height; // the current mode
    int scale;
    bool placed; // xdg-output's logical position and size came
    int x, y, logicalWidth, logicalHeight;
};

struct Wlroots {
    WaylandSession* session;
    zwlr_output_manager_v1* manager;
    uint32_t serial;
    bool done;
    Head heads[kMaxOutputs];
    int headCount;
    WaylandModes modes;
    Output outputs[kMaxOutputs];
    int outputCount;
    WaylandOutput layout[kMaxOutputs]; // one for each head
    TurningOutput output;
    LayoutAnswer answer;
    bool answered;
};

Wlroots gWlroots;

void OnModeRefresh(void*, zwlr_output_mode_v1*, int32_t) {}
void OnModePreferred(void*, zwlr_output_mode_v1*) {}
void OnModeFinished(void*, zwlr_output_mode_v1*) {}
const zwlr_output_mode_v1_listener kModeListener = {OnModeSize, OnModeRefresh, OnModePreferred,
                                                    OnModeFinished};

Head* HeadOf(void* data) {
    return static_cast<Head*>(data);
}
void OnHeadName(void* data, zwlr_output_head_v1*, const char* name) {
    CopyName(HeadOf(data)->name, name);
}
void OnHeadText(void*, zwlr_output_head_v1*, const char*) {}
void OnHeadSize(void*, zwlr_output_head_v1*, int32_t, int32_t) {}
void OnHeadMode(void*, zwlr_output_head_v1*, zwlr_output_mode_v1* proxy) {
    KeepMode(gWlroots.session, &gWlroots.modes, proxy, &kModeListener);
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

void OnManagerHead(void*, zwlr_output_manager_v1*, zwlr_output_head_v1* proxy) {
    if (gWlroots.headCount < kMaxOutputs) {
        Head* head = &gWlroots.heads[gWlroots.headCount++];
        head->proxy = proxy;
        head->scale = 1;
        AddListener(gWlroots.session, proxy, &kHeadListener, head);
    }
}
void OnManagerDone(void*, zwlr_output_manager_v1*, uint32_t serial) {
    gWlroots.serial = serial;
    gWlroots.done = true;
}
void OnManagerFinished(void*, zwlr_output_manager_v1*) {}
const zwlr_output_manager_v1_listener kManagerListener = {OnManagerHead, OnManagerDone,
                                                          OnManagerFinished};

Output* OutputOf(void* data) {
    return static_cast<Output*>(data);
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

const Output* OutputNamed(const char* name) {
    for (int i = 0; i < gWlroots.outputCount; ++i) {
        if (strcmp(gWlroots.outputs[i].name, name) == 0) {
            return &gWlroots.outputs[i];
        }
    }
    return nullptr;
}

// The layout as the compositor has it: the head's word, wl_output's for an
// output whose head says it is off (some compositors leave the head's
// events out), and xdg-output's logical box over both when it came: that
// box is the layout the compositor's clients see.
void MergeLayout() {
    for (int i = 0; i < gWlroots.headCount; ++i) {
        const Head& head = gWlroots.heads[i];
        WaylandOutput& entry = gWlroots.layout[i];
        entry = WaylandOutput();
        memcpy(entry.name, head.name, sizeof entry.name);
        entry.enabled = head.proxy != nullptr && head.enabled;
        entry.x = head.x;
        entry.y = head.y;
        entry.transform = head.transform;
        const WaylandMode* mode = FindMode(&gWlroots.modes, head.mode);
        if (mode != nullptr) {
            SetLogicalSize(&entry, mode->width, mode->height, head.scale);
        }
        const Output* output = head.proxy != nullptr ? OutputNamed(head.name) : nullptr;
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

bool ReadOutputs() {
    WaylandSession* session = gWlroots.session;
    gWlroots.manager = reinterpret_cast<zwlr_output_manager_v1*>(BindGlobal(
        session, FindGlobal(session, kManagerGlobal), &zwlr_output_manager_v1_interface, 2));
    if (gWlroots.manager == nullptr) {
        return false;
    }
    AddListener(session, gWlroots.manager, &kManagerListener, nullptr);
    const WaylandGlobal* xdgGlobal = FindGlobal(session, "zxdg_output_manager_v1");
    wl_proxy* xdgManager =
        xdgGlobal != nullptr ? BindGlobal(session, xdgGlobal, &zxdg_output_manager_v1_interface, 3)
                             : nullptr;
    for (const WaylandGlobal* global;
         gWlroots.outputCount < kMaxOutputs &&
         (global = FindGlobal(session, "wl_output", gWlroots.outputCount)) != nullptr;) {
        Output* output = &gWlroots.outputs[gWlroots.outputCount++];
        wl_proxy* proxy = BindGlobal(session, global, &wl_output_interface, 4);
        AddListener(session, proxy, &kOutputListener, output);
        if (xdgManager != nullptr) {
            union wl_argument arguments[2] = {};
            arguments[1].o = reinterpret_cast<wl_object*>(proxy);
            AddListener(session,
                        SendRequest(session, xdgManager, ZXDG_OUTPUT_MANAGER_V1_GET_XDG_OUTPUT,
                                    arguments, &zxdg_output_v1_interface),
                        &kXdgListener, output);
        }
    }
    // The manager's first done follows its heads; by the answer to a sync
    // every output has sent its state too.
    if (!WaitFor(session, &gWlroots.done, kAnswerWait) || !Roundtrip(session, kAnswerWait)) {
        return false;
    }
    MergeLayout();
    return true;
}

void OnSucceeded(void*, zwlr_output_configuration_v1*) {
    gWlroots.answer = kLayoutApplied;
    gWlroots.answered = true;
}
void OnFailed(void*, zwlr_output_configuration_v1*) {
    gWlroots.answer = kLayoutRefused;
    gWlroots.answered = true;
}
void OnCancelled(void*, zwlr_output_configuration_v1*) {
    gWlroots.answer = kLayoutOutdated;
    gWlroots.answered = true;
}
const zwlr_output_configuration_v1_listener kConfigurationListener = {OnSucceeded, OnFailed,
                                                                      OnCancelled};

// Every head, as the protocol asks: the enabled ones where layout puts them
// (their mode as it is), the others off. Then test or apply (opcode) and
// wait for the answer.
LayoutAnswer Configure(const WaylandOutput* layout, uint32_t opcode) {
    WaylandSession* session = gWlroots.session;
    union wl_argument create[2] = {};
    create[1].u = gWlroots.serial;
    wl_proxy* configuration =
        SendRequest(session, gWlroots.manager, ZWLR_OUTPUT_MANAGER_V1_CREATE_CONFIGURATION, create,
                    &zwlr_output_configuration_v1_interface);
    for (int i = 0; i < gWlroots.headCount; ++i) {
        const Head& head = gWlroots.heads[i];
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
    }
    union wl_argument none[1] = {};
    SendRequest(session, configuration, opcode, none);
    gWlroots.answered = false;
    const LayoutAnswer answer =
        AddListener(session, configuration, &kConfigurationListener, nullptr) &&
                WaitFor(session, &gWlroots.answered, kAnswerWait)
            ? gWlroots.answer
            : kLayoutRefused;
    SendRequest(session, configuration, ZWLR_OUTPUT_CONFIGURATION_V1_DESTROY, none, nullptr, true);
    return answer;
}

LayoutAnswer TestThenApply(const WaylandOutput* layout) {
    const LayoutAnswer answer = Configure(layout, ZWLR_OUTPUT_CONFIGURATION_V1_TEST);
    return answer == kLayoutApplied ? Configure(layout, ZWLR_OUTPUT_CONFIGURATION_V1_APPLY)
                                    : answer;
}

bool ReadAgain() {
    if (!Roundtrip(gWlroots.session, kAnswerWait)) {
        return false;
    }
    MergeLayout();
    return true;
}

// A configuration the compositor cancelled as outdated is made again from
// the layout read anew.
bool Turn(int transform) {
    return SendTurnedLayout(&gWlroots.output, transform, TestThenApply, ReadAgain);
}

// wlroots has no output of its own choice.
int NoPreference() {
    return -1;
}

} // namespace

bool WlrootsOffered(const WaylandSession* session) {
    return FindGlobal(session, kManagerGlobal) != nullptr;
}

DisplayOperations WlrootsDisplayOperations(WaylandSession* session) {
    gWlroots.session = session;
    gWlroots.output = TurningOutput{
        gWlroots.layout, &gWlroots.headCount, ReadOutputs, NoPreference, Turn, false, -1, false};
    return TurningOutputOperations(&gWlroots.output);
}
