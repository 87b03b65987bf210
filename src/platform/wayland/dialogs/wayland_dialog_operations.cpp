// Each dialog binds what it needs on the session's connection and releases
// all of it before it answers, so that the turn that follows meets nothing
// of it.
#include "platform/wayland/dialogs/wayland_dialog_operations.h"

#include "orientation/texts.h"
#include "platform/linux/dialogs/dialog_painter.h"
#include "platform/linux/dialogs/utf8_texts.h"
#include "platform/linux/standard_error.h"
#include "platform/wayland/bound_outputs.h"
#include "platform/wayland/dialogs/seat_input.h"
#include "platform/wayland/dialogs/selection.h"
#include "platform/wayland/dialogs/shm_buffer.h"

#include "viewporter-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

#include <stdint.h>

namespace {

const char kLayerShellGlobal[] = "zwlr_layer_shell_v1";
// Wayland says nothing of a font's size in points: the painter's default.
const int kDpi = 96;
const char kConnectionLost[] = "the compositor closed the connection";

struct LayerDialog {
    WaylandSession* session;
    XkbcommonLibrary xkb;
    DialogPainter painter;
    bool painterOpen;
    DialogState state;
    wl_proxy* compositor;
    wl_proxy* shm;
    wl_proxy* shell;
    BoundOutputs outputs;
    SeatInput input;
    WaylandSelection selection;
    wl_proxy* surface;
    wl_proxy* layer;
    ShmBuffer buffers[2]; // one may be the compositor's while the other is drawn
    // The menu's clear cover over the rest of its output, which takes the
    // clicks outside it, as on X; none without wp_viewporter.
    wl_proxy* viewporter;
    wl_proxy* cover;
    wl_proxy* coverLayer;
    wl_proxy* coverViewport;
    ShmBuffer clear; // one pixel, stretched over the output
    bool configured;
    bool dirty;
    bool finished;
    DialogAnswer answer; // closed or picked, once finished
};

LayerDialog& Of(void* data) {
    return *static_cast<LayerDialog*>(data);
}

wl_proxy* Bind(WaylandSession* session, const char* name, const wl_interface* interface,
               uint32_t version) {
    return BindGlobal(session, FindGlobal(session, name), interface, version);
}

// Nothing reaches the model before its state is up on the screen.
void Deliver(void* data, const DialogEvent& event) {
    LayerDialog& dialog = Of(data);
    if (dialog.finished || !dialog.configured) {
        return;
    }
    switch (const DialogAnswer answer = HandleDialogEvent(&dialog.state, event)) {
    case kDialogUnchanged:
        break;
    case kDialogRedraw:
        dialog.dirty = true;
        break;
    case kDialogCopyText:
        OfferText(&dialog.selection, dialog.state.text, dialog.input.serial);
        break;
    case kDialogClosed:
    case kDialogPicked:
        dialog.finished = true;
        dialog.answer = answer;
        break;
    }
}

void OnConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t, uint32_t) {
    LayerDialog& dialog = Of(data);
    union wl_argument ack[1] = {};
    ack[0].u = serial;
    SendRequest(dialog.session, dialog.layer, ZWLR_LAYER_SURFACE_V1_ACK_CONFIGURE, ack);
    dialog.configured = true;
    dialog.dirty = true;
}
// The compositor took it down (its output went away), perhaps before it
// was ever shown: closed without a choice.
void OnClosed(void* data, zwlr_layer_surface_v1*) {
    Of(data).finished = true;
    Of(data).answer = kDialogClosed;
}
const zwlr_layer_surface_v1_listener kLayerListener = {OnConfigure, OnClosed};

// A memfd's pixel is zero: clear.
void OnCoverConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width,
                      uint32_t height) {
    LayerDialog& dialog = Of(data);
    WaylandSession* session = dialog.session;
    union wl_argument ack[1] = {};
    ack[0].u = serial;
    SendRequest(session, dialog.coverLayer, ZWLR_LAYER_SURFACE_V1_ACK_CONFIGURE, ack);
    if (width == 0 || height == 0 ||
        (dialog.clear.buffer == nullptr &&
         !CreateShmBuffer(session, dialog.shm, 1, 1, 1, &dialog.clear))) {
        return;
    }
    union wl_argument destination[2] = {};
    destination[0].i = static_cast<int32_t>(width);
    destination[1].i = static_cast<int32_t>(height);
    SendRequest(session, dialog.coverViewport, WP_VIEWPORT_SET_DESTINATION, destination);
    union wl_argument attach[3] = {};
    attach[0].o = reinterpret_cast<wl_object*>(dialog.clear.buffer);
    SendRequest(session, dialog.cover, WL_SURFACE_ATTACH, attach);
    union wl_argument none[1] = {};
    SendRequest(session, dialog.cover, WL_SURFACE_COMMIT, none);
}
void OnCoverClosed(void*, zwlr_layer_surface_v1*) {}
const zwlr_layer_surface_v1_listener kCoverListener = {OnCoverConfigure, OnCoverClosed};

// A layer surface of surface on output, which dialog hears.
wl_proxy* LayerSurface(LayerDialog& dialog, wl_proxy* surface, wl_proxy* output, uint32_t layer,
                       const zwlr_layer_surface_v1_listener* listener) {
    union wl_argument arguments[5] = {};
    arguments[1].o = reinterpret_cast<wl_object*>(surface);
    arguments[2].o = reinterpret_cast<wl_object*>(output);
    arguments[3].u = layer;
    arguments[4].s = "tarvelin";
    wl_proxy* made =
        SendRequest(dialog.session, dialog.shell, ZWLR_LAYER_SHELL_V1_GET_LAYER_SURFACE, arguments,
                    &zwlr_layer_surface_v1_interface);
    AddListener(dialog.session, made, listener, &dialog);
    return made;
}

// In the layer below the menu's, whatever order a compositor stacks one
// layer's surfaces in; over panels too.
void CoverOutput(LayerDialog& dialog, wl_proxy* output) {
    WaylandSession* session = dialog.session;
    union wl_argument none[1] = {};
    dialog.cover = SendRequest(session, dialog.compositor, WL_COMPOSITOR_CREATE_SURFACE, none,
                               &wl_surface_interface);
    union wl_argument viewport[2] = {};
    viewport[1].o = reinterpret_cast<wl_object*>(dialog.cover);
    dialog.coverViewport = SendRequest(session, dialog.viewporter, WP_VIEWPORTER_GET_VIEWPORT,
                                       viewport, &wp_viewport_interface);
    dialog.coverLayer =
        LayerSurface(dialog, dialog.cover, output, ZWLR_LAYER_SHELL_V1_LAYER_TOP, &kCoverListener);
    union wl_argument anchors[1] = {};
    anchors[0].u = ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                   ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;
    SendRequest(session, dialog.coverLayer, ZWLR_LAYER_SURFACE_V1_SET_ANCHOR, anchors);
    union wl_argument zone[1] = {};
    zone[0].i = -1;
    SendRequest(session, dialog.coverLayer, ZWLR_LAYER_SURFACE_V1_SET_EXCLUSIVE_ZONE, zone);
    SendRequest(session, dialog.cover, WL_SURFACE_COMMIT, none);
}

// Binds the globals, the output's name and scale, the seat and the
// painter at that scale. Null when done, else why it cannot be.
const char* OpenDialog(LayerDialog& dialog, WaylandSession* session, const TurningOutput* turning,
                       wl_proxy** output) {
    dialog.session = session;
    dialog.compositor = Bind(session, "wl_compositor", &wl_compositor_interface, 4);
    dialog.shm = Bind(session, "wl_shm", &wl_shm_interface, 1);
    dialog.shell = Bind(session, kLayerShellGlobal, &zwlr_layer_shell_v1_interface, 4);
    dialog.viewporter = Bind(session, "wp_viewporter", &wp_viewporter_interface, 1);
    BindOutputs(session, &dialog.outputs);
    if (dialog.compositor == nullptr || dialog.shm == nullptr || dialog.shell == nullptr) {
        return "the compositor offers no wl_compositor or wl_shm";
    }
    if (!LoadXkbcommon(&dialog.xkb)) {
        return "libxkbcommon cannot be loaded";
    }
    OpenSeatInput(session, &dialog.xkb, SeatSink{&dialog, Deliver}, &dialog.input);
    OpenSelection(session, dialog.input.seat, &dialog.selection);
    // The outputs' names and scales, and the seat's devices, come by then.
    if (!Roundtrip(session, kAnswerWait)) {
        return kConnectionLost;
    }
    const BoundOutput* found =
        turning != nullptr && turning->turned >= 0
            ? FindBoundOutput(&dialog.outputs, turning->layout[turning->turned].name)
            : nullptr;
    // An output not found leaves the choice to the compositor.
    *output = found != nullptr ? found->proxy : nullptr;
    const int scale = BufferScale(found != nullptr ? found->scale : 0,
                                  session->wl->proxy_get_version(dialog.compositor));
    dialog.painterOpen = OpenDialogPainter(&dialog.painter, scale, kDpi, true);
    return dialog.painterOpen ? nullptr : "no usable font";
}

void CloseDialog(LayerDialog& dialog) {
    WaylandSession* session = dialog.session;
    DestroyProxy(session, &dialog.layer, ZWLR_LAYER_SURFACE_V1_DESTROY);
    DestroyProxy(session, &dialog.surface, WL_SURFACE_DESTROY);
    DestroyProxy(session, &dialog.coverViewport, WP_VIEWPORT_DESTROY);
    DestroyProxy(session, &dialog.coverLayer, ZWLR_LAYER_SURFACE_V1_DESTROY);
    DestroyProxy(session, &dialog.cover, WL_SURFACE_DESTROY);
    DestroyShmBuffer(session, &dialog.clear);
    DestroyProxy(session, &dialog.viewporter, WP_VIEWPORTER_DESTROY);
    for (ShmBuffer& buffer : dialog.buffers) {
        DestroyShmBuffer(session, &buffer);
    }
    if (dialog.input.session != nullptr) {
        CloseSelection(&dialog.selection);
        CloseSeatInput(&dialog.input);
    }
    ReleaseOutputs(session, &dialog.outputs);
    if (dialog.shell != nullptr &&
        session->wl->proxy_get_version(dialog.shell) >= ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION) {
        DestroyProxy(session, &dialog.shell, ZWLR_LAYER_SHELL_V1_DESTROY);
    }
    for (wl_proxy* proxy : {dialog.shell, dialog.shm, dialog.compositor}) {
        if (proxy != nullptr) {
            session->wl->proxy_destroy(proxy);
        }
    }
    if (dialog.painterOpen) {
        CloseDialogPainter(&dialog.painter);
    }
    // Gone from the screen before the turn that may follow.
    Roundtrip(session, kAnswerWait);
}

// Draws the state into a buffer the compositor does not hold; with both
// held, the next release draws.
void Repaint(LayerDialog& dialog) {
    WaylandSession* session = dialog.session;
    ShmBuffer* free = dialog.buffers[0].busy ? &dialog.buffers[1] : &dialog.buffers[0];
    const int scale = dialog.painter.scale;
    const DialogLayout& layout = dialog.state.layout;
    if (free->busy ||
        (free->buffer == nullptr &&
         !CreateShmBuffer(session, dialog.shm, layout.width, layout.height, scale, free))) {
        return;
    }
    PaintDialog(&dialog.painter, dialog.state, free->pixels, free->width * 4);
    union wl_argument scaled[1] = {};
    scaled[0].i = scale;
    SendRequest(session, dialog.surface, WL_SURFACE_SET_BUFFER_SCALE, scaled);
    union wl_argument attach[3] = {};
    attach[0].o = reinterpret_cast<wl_object*>(free->buffer);
    SendRequest(session, dialog.surface, WL_SURFACE_ATTACH, attach);
    union wl_argument damage[4] = {};
    damage[2].i = free->width;
    damage[3].i = free->height;
    SendRequest(session, dialog.surface, WL_SURFACE_DAMAGE_BUFFER, damage);
    union wl_argument none[1] = {};
    SendRequest(session, dialog.surface, WL_SURFACE_COMMIT, none);
    free->busy = true;
    dialog.dirty = false;
}

// Puts the state up as an overlay without anchors, which the compositor
// centres on output, and answers its events until the model is done.
// False when the connection is lost.
bool Present(LayerDialog& dialog, wl_proxy* output) {
    WaylandSession* session = dialog.session;
    if (dialog.state.kind == kPopupMenu && dialog.viewporter != nullptr) {
        CoverOutput(dialog, output);
    }
    union wl_argument none[1] = {};
    dialog.surface = SendRequest(session, dialog.compositor, WL_COMPOSITOR_CREATE_SURFACE, none,
                                 &wl_surface_interface);
    dialog.input.dialog = dialog.surface;
    dialog.layer = LayerSurface(dialog, dialog.surface, output, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY,
                                &kLayerListener);
    union wl_argument size[2] = {};
    size[0].u = static_cast<uint32_t>(dialog.state.layout.width);
    size[1].u = static_cast<uint32_t>(dialog.state.layout.height);
    SendRequest(session, dialog.layer, ZWLR_LAYER_SURFACE_V1_SET_SIZE, size);
    union wl_argument exclusive[1] = {};
    exclusive[0].u = ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE;
    SendRequest(session, dialog.layer, ZWLR_LAYER_SURFACE_V1_SET_KEYBOARD_INTERACTIVITY, exclusive);
    SendRequest(session, dialog.surface, WL_SURFACE_COMMIT, none);
    while (!dialog.finished) {
        if (dialog.configured && dialog.dirty) {
            Repaint(dialog);
        }
        if (!DispatchOnce(session, -1)) {
            return false;
        }
    }
    return true;
}

WaylandDialogs& DialogsOf(void* state) {
    return *static_cast<WaylandDialogs*>(state);
}

bool ShowMessage(void* state, const Message* message, Point) {
    WaylandDialogs& dialogs = DialogsOf(state);
    const std::string text = Utf8Of(message->text);
    const std::string caption = Utf8Of(kMessageCaption);
    LayerDialog dialog = LayerDialog();
    wl_proxy* output = nullptr;
    const char* failure = OpenDialog(dialog, dialogs.session, dialogs.output, &output);
    if (failure == nullptr) {
        dialog.state = MessageBoxState(LayoutMessageBox(&dialog.painter, text.c_str(), true),
                                       text.c_str(), caption.c_str());
        failure = Present(dialog, output) ? nullptr : kConnectionLost;
    }
    CloseDialog(dialog);
    if (failure != nullptr) {
        ReportError("%s", message->english);
    }
    return failure == nullptr;
}

MenuAnswer ChooseFromMenu(void* state, const MenuItem* items, int count, Point, Uint32* picked) {
    WaylandDialogs& dialogs = DialogsOf(state);
    const Utf8Labels labels(items, count);
    LayerDialog dialog = LayerDialog();
    wl_proxy* output = nullptr;
    const char* failure = OpenDialog(dialog, dialogs.session, dialogs.output, &output);
    if (failure == nullptr) {
        dialog.state =
            PopupMenuState(LayoutPopupMenu(&dialog.painter, labels.pointers.data(), count),
                           labels.pointers.data(), count);
        failure = Present(dialog, output) ? nullptr : kConnectionLost;
    }
    CloseDialog(dialog);
    if (failure != nullptr) {
        ReportError("cannot show the menu: %s", failure);
        return kMenuNotShown;
    }
    if (dialog.answer == kDialogPicked) {
        *picked = items[dialog.state.selected].code;
        return kMenuPicked;
    }
    return kMenuClosed;
}

} // namespace

bool LayerShellOffered(const WaylandSession* session) {
    return FindGlobal(session, kLayerShellGlobal) != nullptr;
}

DialogOperations WaylandDialogOperations(WaylandDialogs* dialogs, WaylandSession* session,
                                         const TurningOutput* output) {
    dialogs->session = session;
    dialogs->output = output;
    return DialogOperations{dialogs, ShowMessage, ChooseFromMenu};
}
